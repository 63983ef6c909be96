#pragma once
// The program's data: one list of short text tasks, kept in the current sort order, and
// its task file.
#include "platform/DateTime.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using platform::TDateTime;

enum TTaskSortType { tstNone, tstCaptionTaskUp, tstActiveUp, tstCaptionTaskDown, tstActiveDown };

// A task text: a length byte and up to 255 single bytes in the ANSI code page.
struct TcTask {
    uint8_t len = 0;
    char chars[255] = {};

    std::string_view Bytes() const { return {chars, len}; }
    static TcTask FromAnsi(std::string_view ansi);
    static TcTask FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;
    bool operator==(const TcTask& other) const { return Bytes() == other.Bytes(); }
};

class TMyTask;
using TNotifyEvent = std::function<void(TMyTask* Sender)>;

class TMyTask {
public:
    int32_t id() const { return fid; }
    void setId(int32_t value) { fid = value; }
    const TcTask& cTask() const { return fcTask; }
    void setCTask(const TcTask& value);
    uint32_t Timer() const { return fTimer; }
    void setTimer(uint32_t value) { fTimer = value; }
    TDateTime StartTime() const { return fStartTime; }
    void setStartTime(TDateTime value) { fStartTime = value; }
    TDateTime DoTime() const { return fDoTime; }
    void setDoTime(TDateTime value) { fDoTime = value; }
    bool Activ() const { return fActiv; }
    // Notifies even when the value stays the same.
    void setActiv(bool value);

    // The text as the user sees it (UTF-8).
    std::string Text() const { return fcTask.ToUtf8(); }

    TNotifyEvent Change;

private:
    int32_t fid = 0;
    TcTask fcTask;
    uint32_t fTimer = 0;
    TDateTime fStartTime = 0;
    TDateTime fDoTime = 0;
    bool fActiv = false;
};

// True when text A ranks after text B in the program's character order.
bool TextAfter(const TcTask& A, const TcTask& B);

// The 156 characters of the text order, as UTF-8, in rank order.
extern const char* const CharOrder;

// Stable storage slots: a task keeps its slot while it is in the list; positions map
// to slots through VirtualIndex, and freed slots wait in FreeIndex.
class TTaskList {
public:
    TTaskList() = default;
    ~TTaskList();
    TTaskList(const TTaskList&) = delete;
    TTaskList& operator=(const TTaskList&) = delete;

    int Add(TMyTask* S);
    void Remove(int Index);
    void Move(int A, int B);
    void Replace(TMyTask* S, int Index);
    int Insert(TMyTask* S, int Index);
    int Find(int32_t id, int StartPos) const;
    int Find(const std::string& cTask, int StartPos) const;
    void Clear();
    bool SaveTasks();
    bool LoadTasks();

    int Count() const { return fCount; }
    const std::string& FileName() const { return fFileName; }
    void setFileName(const std::string& value) { fFileName = value; }
    TTaskSortType Sorted() const { return fSorted; }
    void setSorted(TTaskSortType value);

    TMyTask* Items(int Index) const { return GetItem(Index); }
    void setItems(int Index, TMyTask* S) { SetItem(Index, S); }

    // False after a task file that exists could not be read completely: saving would
    // overwrite the tasks that were not read, so SaveTasks refuses until a load succeeds.
    bool SaveAllowed() const { return fSaveAllowed; }

    // The storage arrays, for checking the slot invariants.
    const std::vector<int32_t>& FreeIndexForTest() const { return FreeIndex; }
    const std::vector<int32_t>& VirtualIndexForTest() const { return VirtualIndex; }
    size_t SlotCountForTest() const { return Item.size(); }

private:
    bool IsValidIndex(int Index) const { return Index >= 0 && Index < fCount; }
    TMyTask* GetItem(int Index) const;
    void SetItem(int Index, TMyTask* S);
    int32_t GetFreeSlot();
    void TaskChanged(TMyTask* Sender);
    void Sort(TTaskSortType Order);
    void Attach(TMyTask* S);

    std::vector<int32_t> FreeIndex;
    std::vector<int32_t> VirtualIndex;
    std::vector<TMyTask*> Item;
    int32_t fCount = 0;
    std::string fFileName;
    TTaskSortType fSorted = tstNone;
    bool fSaveAllowed = true;
};

// The program's one task list, owned by the data module.
extern TTaskList* TaskList;
