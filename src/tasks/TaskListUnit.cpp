#include "tasks/TaskListUnit.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <array>

TTaskList* TaskList = nullptr;

const char* const CharOrder = "!@#$%^&*()-+_=`~{}[]\\|/\":;.,"
                              "0123456789"
                              "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz"
                              "АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя";

namespace {

// Rank of every ANSI byte: its 1-based place in CharOrder, 0 when it is not there.
const std::array<uint8_t, 256>& RankTable() {
    static const auto table = [] {
        std::array<uint8_t, 256> t{};
        const std::string ansi = platform::Utf8ToAnsi(CharOrder);
        for (size_t i = 0; i < ansi.size(); ++i)
            t[static_cast<unsigned char>(ansi[i])] = static_cast<uint8_t>(i + 1);
        return t;
    }();
    return table;
}

} // namespace

TcTask TcTask::FromAnsi(std::string_view ansi) {
    TcTask t;
    t.len = static_cast<uint8_t>(std::min<size_t>(ansi.size(), sizeof t.chars));
    std::copy_n(ansi.data(), t.len, t.chars);
    return t;
}

TcTask TcTask::FromUtf8(std::string_view utf8) {
    return FromAnsi(platform::Utf8ToAnsi(utf8));
}

std::string TcTask::ToUtf8() const {
    return platform::AnsiToUtf8(Bytes());
}

void TMyTask::setCTask(const TcTask& value) {
    fcTask = value;
    if (Change) Change(this);
}

void TMyTask::setActiv(bool value) {
    fActiv = value;
    if (Change) Change(this);
}

bool TextAfter(const TcTask& A, const TcTask& B) {
    const auto& rank = RankTable();
    const int n = std::max(A.len, B.len);
    for (int k = 0; k < n; ++k) {
        const int ra = k < A.len ? rank[static_cast<unsigned char>(A.chars[k])] : 0;
        const int rb = k < B.len ? rank[static_cast<unsigned char>(B.chars[k])] : 0;
        if (ra != rb) return ra > rb;
    }
    return B.len > A.len;
}

TTaskList::~TTaskList() {
    Clear();
}

TMyTask* TTaskList::GetItem(int Index) const {
    return IsValidIndex(Index) ? Item[VirtualIndex[Index]] : nullptr;
}

void TTaskList::SetItem(int Index, TMyTask* S) {
    if (Index == fCount)
        Add(S);
    else if (IsValidIndex(Index))
        Replace(S, Index);
    else if (Index == -1)
        Insert(S, 0);
}

int32_t TTaskList::GetFreeSlot() {
    if (!FreeIndex.empty()) {
        const int32_t slot = FreeIndex.back();
        FreeIndex.pop_back();
        return slot;
    }
    Item.push_back(nullptr);
    return static_cast<int32_t>(Item.size() - 1);
}

void TTaskList::Attach(TMyTask* S) {
    const int32_t slot = GetFreeSlot();
    Item[slot] = S;
    S->Change = [this](TMyTask* Sender) { TaskChanged(Sender); };
    VirtualIndex.push_back(slot);
    ++fCount;
}

int TTaskList::Add(TMyTask* S) {
    const int position = fCount;
    Attach(S);
    Sort(fSorted);
    return position;
}

void TTaskList::Remove(int Index) {
    if (!IsValidIndex(Index)) return;
    const int32_t slot = VirtualIndex[Index];
    delete Item[slot];
    Item[slot] = nullptr;
    FreeIndex.push_back(slot);
    VirtualIndex.erase(VirtualIndex.begin() + Index);
    --fCount;
}

void TTaskList::Move(int A, int B) {
    if (IsValidIndex(A) && IsValidIndex(B)) std::swap(VirtualIndex[A], VirtualIndex[B]);
}

void TTaskList::Replace(TMyTask* S, int Index) {
    if (IsValidIndex(Index)) Item[VirtualIndex[Index]] = S;
}

int TTaskList::Insert(TMyTask* S, int Index) {
    if (!IsValidIndex(Index)) return -1;
    const int32_t slot = GetFreeSlot();
    Item[slot] = S;
    VirtualIndex.insert(VirtualIndex.begin() + Index, slot);
    ++fCount;
    return Index;
}

int TTaskList::Find(int32_t id, int StartPos) const {
    if (!IsValidIndex(StartPos)) return -1;
    for (int i = StartPos; i < fCount; ++i)
        if (GetItem(i)->id() == id) return i;
    return -1;
}

int TTaskList::Find(const std::string& cTask, int StartPos) const {
    if (!IsValidIndex(StartPos)) return -1;
    // Every stored byte has its own character, so comparing bytes is comparing texts,
    // provided the sought text survives the code page at all.
    const std::string ansi = platform::Utf8ToAnsi(cTask);
    if (ansi.size() > sizeof(TcTask::chars) || platform::AnsiToUtf8(ansi) != cTask) return -1;
    for (int i = StartPos; i < fCount; ++i)
        if (GetItem(i)->cTask().Bytes() == ansi) return i;
    return -1;
}

void TTaskList::Clear() {
    for (int i = 0; i < fCount; ++i) delete Item[VirtualIndex[i]];
    Item.clear();
    VirtualIndex.clear();
    FreeIndex.clear();
    fCount = 0;
}

void TTaskList::setSorted(TTaskSortType value) {
    if (value == fSorted) return;
    Sort(value);
    fSorted = value;
}

void TTaskList::TaskChanged(TMyTask*) {
    Sort(fSorted);
}

// Gives exactly the order of repeated exchange passes that swap adjacent out-of-order
// pairs until none is left: those passes never swap equal tasks, so the result is the
// stable sort by the same order.
void TTaskList::Sort(TTaskSortType Order) {
    if (Order == tstNone || fCount < 2) return;
    const auto first = VirtualIndex.begin();
    const auto last = first + fCount;
    if (Order == tstActiveUp || Order == tstActiveDown) {
        const bool openFirst = Order == tstActiveDown;
        auto goesBefore = [&](int32_t a, int32_t b) {
            return Item[a]->Activ() == openFirst && Item[b]->Activ() != openFirst;
        };
        if (!std::is_sorted(first, last, goesBefore)) std::stable_sort(first, last, goesBefore);
        return;
    }
    const bool highFirst = Order == tstCaptionTaskUp;
    auto textBefore = [&](int32_t a, int32_t b) {
        return highFirst ? TextAfter(Item[a]->cTask(), Item[b]->cTask())
                         : TextAfter(Item[b]->cTask(), Item[a]->cTask());
    };
    if (std::is_sorted(first, last, textBefore)) return;
    // A real sort compares each text many times: its ranks are worked out once. A text
    // ranks by its ranks with the trailing zeros left off, and of two texts with the same
    // ranks the longer one ranks lower.
    const auto& rank = RankTable();
    std::vector<std::string> key(Item.size());
    for (auto it = first; it != last; ++it) {
        const TcTask& text = Item[*it]->cTask();
        std::string& k = key[*it];
        k.resize(text.len);
        for (int i = 0; i < text.len; ++i)
            k[i] = static_cast<char>(rank[static_cast<unsigned char>(text.chars[i])]);
        while (!k.empty() && k.back() == 0) k.pop_back();
    }
    auto keyBefore = [&](int32_t a, int32_t b) {
        if (highFirst) std::swap(a, b);
        const int c = std::string_view(key[a]).compare(key[b]);
        return c != 0 ? c < 0 : Item[a]->cTask().len > Item[b]->cTask().len;
    };
    std::stable_sort(first, last, keyBefore);
}
