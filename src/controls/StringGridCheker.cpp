// TStringGridCheck: the grid's properties, the check column and the rules that keep it.
#include "controls/StringGridCheker.h"

#include "controls/StringGridModel.h"
#include "controls/StringGridParts.h"

#include <algorithm>

namespace {
const QString kCheckedText = QStringLiteral("-1");
const QString kUncheckedText = QStringLiteral("0");
} // namespace

TStringGridCheck::TStringGridCheck(QWidget* AOwner) : QTableView(AOwner) {
    fModel = new TStringGridModel(this);
    fHeader = new TGridHeader(this);
    setHorizontalHeader(fHeader);
    setModel(fModel);
    setItemDelegate(new TGridCellDelegate(this));

    // Rows are laid out by the hidden vertical header; the fixed rows are in fHeader.
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fDefaultRowHeight);
    fHeader->setDefaultSectionSize(fDefaultColWidth);
    fColWidths.assign(fModel->ColCount(), fDefaultColWidth);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    viewport()->setMouseTracking(true);

    connect(fModel, &TStringGridModel::Flushed, this, &TStringGridCheck::ModelFlushed);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { fSelectionCacheValid = false; });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { fSelectionCacheValid = false; });
    connect(fHeader, &QHeaderView::sectionMoved, this, [this](int, int oldVisual, int newVisual) {
        if (fUndoingSectionMove) return;
        // Column indices stay visual ones: the header goes back and the cells move instead.
        fUndoingSectionMove = true;
        fHeader->moveSection(newVisual, oldVisual);
        fUndoingSectionMove = false;
        MoveColumn(oldVisual, newVisual);
    });
    connect(fHeader, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (logical >= 0 && logical < static_cast<int>(fColWidths.size())) fColWidths[logical] = size;
    });
    ApplyBaseOptions(goRangeSelect);
    ModelFlushed(true, true);
}

TStringGridCheck::~TStringGridCheck() = default;

// ---- The string grid ----

int TStringGridCheck::ColCount() const {
    return fModel->ColCount();
}
int TStringGridCheck::RowCount() const {
    return fModel->RowCount();
}
int TStringGridCheck::FixedCols() const {
    return fModel->FixedCols();
}
int TStringGridCheck::FixedRows() const {
    return fModel->FixedRows();
}
QString TStringGridCheck::Cells(int ACol, int ARow) const {
    return fModel->Cell(ACol, ARow);
}
void TStringGridCheck::setCells(int ACol, int ARow, const QString& text) {
    fModel->SetCell(ACol, ARow, text);
}
void TStringGridCheck::setRowCount(int value) {
    fModel->SetRowCount(value);
}
void TStringGridCheck::setFixedRows(int value) {
    fModel->SetFixedRows(value);
}

void TStringGridCheck::setColCount(int value) {
    fModel->SetColCount(value);
    fColWidths.resize(fModel->ColCount(), fDefaultColWidth);
}

void TStringGridCheck::setFixedCols(int value) {
    fModel->SetFixedCols(value);
    fSelectionCacheValid = false;
}

void TStringGridCheck::setDefaultColWidth(int value) {
    fDefaultColWidth = std::max(0, value);
    fHeader->setDefaultSectionSize(fDefaultColWidth);
    std::fill(fColWidths.begin(), fColWidths.end(), fDefaultColWidth);
    ApplyColumnWidths();
}

void TStringGridCheck::setDefaultRowHeight(int value) {
    fDefaultRowHeight = std::max(1, value);
    verticalHeader()->setDefaultSectionSize(fDefaultRowHeight);
    fHeader->updateGeometry();
    updateGeometries();
    fHeader->viewport()->update();
}

int TStringGridCheck::ColWidths(int ACol) const {
    return ACol >= 0 && ACol < static_cast<int>(fColWidths.size()) ? fColWidths[ACol] : 0;
}

void TStringGridCheck::setColWidths(int ACol, int value) {
    if (ACol < 0 || ACol >= static_cast<int>(fColWidths.size())) return;
    fColWidths[ACol] = std::max(0, value);
    if (ACol < fHeader->count()) fHeader->resizeSection(ACol, fColWidths[ACol]);
}

void TStringGridCheck::setDrawingStyle(TGridDrawingStyle value) {
    fDrawingStyle = value;
    viewport()->update();
    fHeader->viewport()->update();
}

int TStringGridCheck::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + fModel->ShownFixedRows() : FixedRows();
}

void TStringGridCheck::setRow(int value) {
    SyncView();
    const QModelIndex target = fModel->index(value - fModel->ShownFixedRows(), std::max(Col(), FixedCols()));
    if (!target.isValid()) return;
    selectionModel()->setCurrentIndex(target, SelectCommand());
}

int TStringGridCheck::Col() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : FixedCols();
}

void TStringGridCheck::setCol(int value) {
    SyncView();
    const QModelIndex target = fModel->index(Row() - fModel->ShownFixedRows(), value);
    if (!target.isValid() || value < FixedCols()) return;
    selectionModel()->setCurrentIndex(target, SelectCommand());
}

TGridRect TStringGridCheck::Selection() const {
    const_cast<TStringGridCheck*>(this)->SyncView();
    return CurrentSelection();
}

void TStringGridCheck::setSelection(const TGridRect& value) {
    SyncView();
    const int shift = fModel->ShownFixedRows();
    const QModelIndex topLeft = fModel->index(value.Top - shift, std::max(value.Left, FixedCols()));
    const QModelIndex bottomRight = fModel->index(value.Bottom - shift, value.Right);
    if (!topLeft.isValid() || !bottomRight.isValid()) return;
    selectionModel()->setCurrentIndex(bottomRight, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(topLeft, bottomRight), SelectCommand());
}

QPoint TStringGridCheck::MouseCoord(int X, int Y) const {
    const_cast<TStringGridCheck*>(this)->SyncView();
    return CellAt({X, Y});
}

QRect TStringGridCheck::CellRect(int ACol, int ARow) const {
    const_cast<TStringGridCheck*>(this)->SyncView();
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount()) return {};
    if (ARow < FixedRows()) {
        const int x = fHeader->sectionViewportPosition(ACol);
        const QRect rect(x, ARow * fDefaultRowHeight, fHeader->sectionSize(ACol), fDefaultRowHeight);
        return QRect(fHeader->viewport()->mapTo(this, rect.topLeft()), rect.size());
    }
    const QRect rect = visualRect(fModel->index(ARow - FixedRows(), ACol));
    if (!rect.isValid() || !viewport()->rect().intersects(rect)) return {};
    return QRect(viewport()->mapTo(this, rect.topLeft()), rect.size());
}

void TStringGridCheck::MoveColumn(int FromIndex, int ToIndex) {
    const int count = ColCount();
    if (FromIndex < 0 || FromIndex >= count || ToIndex < 0 || ToIndex >= count || FromIndex == ToIndex)
        return;
    SyncView();
    fModel->MoveColumn(FromIndex, ToIndex);
    const int width = fColWidths[FromIndex];
    fColWidths.erase(fColWidths.begin() + FromIndex);
    fColWidths.insert(fColWidths.begin() + ToIndex, width);
    ApplyColumnWidths();
    ColumnMoved(FromIndex, ToIndex);
}

void TStringGridCheck::SyncView() {
    fModel->Flush();
}

QItemSelectionModel::SelectionFlags TStringGridCheck::SelectCommand() const {
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect;
    if (fBaseOptions & goRowSelect) command |= QItemSelectionModel::Rows;
    return command;
}

void TStringGridCheck::ModelFlushed(bool columnsChanged, bool fixedRowsChanged) {
    fSelectionCacheValid = false;
    if (columnsChanged || fixedRowsChanged) ApplyColumnWidths();
    if (fixedRowsChanged) {
        fHeader->setVisible(fModel->ShownFixedRows() > 0);
        fHeader->updateGeometry();
        updateGeometries();
    }
    // A string grid always has a current cell while it has a cell to make current, and
    // never in a fixed column.
    const QModelIndex current = currentIndex();
    if ((!current.isValid() || current.column() < FixedCols()) && fModel->rowCount() > 0 &&
        fModel->columnCount() > FixedCols())
        selectionModel()->setCurrentIndex(fModel->index(std::max(current.row(), 0), FixedCols()),
                                          SelectCommand());
}

void TStringGridCheck::ApplyColumnWidths() {
    const int count = std::min(fHeader->count(), static_cast<int>(fColWidths.size()));
    for (int c = 0; c < count; ++c)
        if (fHeader->sectionSize(c) != fColWidths[c]) fHeader->resizeSection(c, fColWidths[c]);
}

void TStringGridCheck::ApplyBaseOptions(TGridOptions value) {
    fBaseOptions = value;
    fSelectionCacheValid = false; // a row selection covers other cells
    setSelectionBehavior((value & goRowSelect) ? SelectRows : SelectItems);
    setSelectionMode((value & goRangeSelect) ? ContiguousSelection : SingleSelection);
    EditTriggers triggers = NoEditTriggers;
    if (value & goEditing) {
        triggers = DoubleClicked | EditKeyPressed | AnyKeyPressed;
        if (value & goAlwaysShowEditor) triggers |= CurrentChanged | SelectedClicked;
    }
    setEditTriggers(triggers);
    fHeader->setSectionResizeMode((value & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    fHeader->setSectionsMovable(value & goColMoving);
    setTabKeyNavigation(value & goTabs);
}

// ---- The check column ----

void TStringGridCheck::setCheckCollIndex(int value) {
    fCheckCollIndex = value;
    // Cheap and deferred; a view left showing the old column would mislead.
    viewport()->update();
    fHeader->viewport()->update();
}

bool TStringGridCheck::GetChecked(int ARow) const {
    if (ARow < FixedRows() || ARow >= RowCount() || fCheckCollIndex < 0 || fCheckCollIndex >= ColCount())
        return false;
    return fModel->Cell(fCheckCollIndex, ARow) == kCheckedText;
}

void TStringGridCheck::SetChecked(int ARow, bool Value) {
    if (ARow < FixedRows() || ARow >= RowCount() || fCheckCollIndex < 0 || fCheckCollIndex >= ColCount())
        return;
    fModel->SetCell(fCheckCollIndex, ARow, Value ? kCheckedText : kUncheckedText);
    if (OnCheked) OnCheked(this, ARow, Value);
}

bool TStringGridCheck::IsCellSelected(int X, int Y) const {
    const_cast<TStringGridCheck*>(this)->SyncView();
    return InSelection(X, Y);
}

void TStringGridCheck::setOptions(TGridOptions V) {
    OptEdition = V.testFlag(goEditing);
    fOptions = V & ~TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    ApplyBaseOptions(fOptions);
    RedrawCheckColumn();
}

void TStringGridCheck::ApplyEditingRule(int ACol) {
    if (!OptEdition) return;
    ApplyBaseOptions(ACol == fCheckCollIndex ? fOptions & ~TGridOptions(goEditing) : fOptions);
}

bool TStringGridCheck::SelectCell(int ACol, int ARow) {
    ApplyEditingRule(ACol);
    bool CanSelect = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
    return CanSelect;
}

void TStringGridCheck::ColumnMoved(int FromIndex, int ToIndex) {
    // The check column follows its cells: it moves itself, or shifts by one when a
    // column moves past it.
    int& check = fCheckCollIndex;
    if (FromIndex == check)
        check = ToIndex;
    else if (FromIndex < check && check <= ToIndex)
        --check;
    else if (ToIndex <= check && check < FromIndex)
        ++check;
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TStringGridCheck::KeyboardToggle() {
    // Rows flip one by one in ascending order; the selection and the check column are
    // read again for every row, as a handler of OnCheked may change them.
    const int cols = ColCount(), rows = RowCount();
    for (int i = 0; i < cols; ++i) {
        if (i != fCheckCollIndex) continue;
        for (int j = 0; j < rows; ++j)
            if (i == fCheckCollIndex && IsCellSelected(i, j)) SetChecked(j, !GetChecked(j));
    }
}

void TStringGridCheck::RedrawCheckColumn() {
    if (fCheckCollIndex < 0 || fCheckCollIndex >= fHeader->count()) return;
    const int x = columnViewportPosition(fCheckCollIndex), width = columnWidth(fCheckCollIndex);
    viewport()->update(x, 0, width, viewport()->height());
    fHeader->viewport()->update(x, 0, width, fHeader->viewport()->height());
}
