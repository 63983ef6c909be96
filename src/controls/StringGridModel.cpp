#include "controls/StringGridModel.h"

#include <algorithm>
#include <climits>

namespace {
const QString kNoText;
constexpr int kNoDirtyRow = INT_MAX;
} // namespace

TStringGridModel::TStringGridModel(QObject* parent) : QAbstractTableModel(parent), fDirtyTop(kNoDirtyRow) {
    fCells.resize(static_cast<size_t>(fRows) * fCols);
}

void TStringGridModel::SetColCount(int value) {
    value = std::max(0, value);
    if (value == fCols) return;
    // Rare (a grid gets its columns once), so the rows are simply repacked.
    std::vector<QString> cells(static_cast<size_t>(fRows) * value);
    const int keep = std::min(fCols, value);
    for (int r = 0; r < fRows; ++r)
        for (int c = 0; c < keep; ++c)
            cells[static_cast<size_t>(r) * value + c] = std::move(fCells[static_cast<size_t>(r) * fCols + c]);
    fCells = std::move(cells);
    fCols = value;
    MarkRows(0, fRows - 1);
}

void TStringGridModel::SetRowCount(int value) {
    value = std::max(0, value);
    if (value == fRows) return;
    // Rows that go and come back must come back empty, and be repainted so.
    MarkRows(std::min(fRows, value), std::max(fRows, value) - 1);
    fCells.resize(static_cast<size_t>(value) * fCols);
    fRows = value;
}

void TStringGridModel::SetFixedRows(int value) {
    value = std::max(0, value);
    if (value == fFixedRows) return;
    fFixedRows = value;
    Schedule();
}

void TStringGridModel::SetFixedCols(int value) {
    value = std::max(0, value);
    if (value == fFixedCols) return;
    fFixedCols = value;
    Touch();
}

const QString& TStringGridModel::Cell(int ACol, int ARow) const {
    if (ACol < 0 || ACol >= fCols || ARow < 0 || ARow >= fRows) return kNoText;
    return fCells[static_cast<size_t>(ARow) * fCols + ACol];
}

void TStringGridModel::SetCell(int ACol, int ARow, const QString& text) {
    if (ACol < 0 || ACol >= fCols || ARow < 0 || ARow >= fRows) return;
    fCells[static_cast<size_t>(ARow) * fCols + ACol] = text;
    MarkRows(ARow, ARow);
}

void TStringGridModel::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || FromIndex >= fCols || ToIndex < 0 || ToIndex >= fCols || FromIndex == ToIndex)
        return;
    for (int r = 0; r < fRows; ++r) {
        auto row = fCells.begin() + static_cast<ptrdiff_t>(r) * fCols;
        if (FromIndex < ToIndex)
            std::rotate(row + FromIndex, row + FromIndex + 1, row + ToIndex + 1);
        else
            std::rotate(row + ToIndex, row + FromIndex, row + FromIndex + 1);
    }
    Touch();
}

void TStringGridModel::Touch() {
    MarkRows(0, std::max(fRows, fShownRows + fShownFixedRows) - 1);
}

void TStringGridModel::MarkRows(int top, int bottom) {
    if (top <= bottom) {
        fDirtyTop = std::min(fDirtyTop, top);
        fDirtyBottom = std::max(fDirtyBottom, bottom);
    }
    Schedule();
}

void TStringGridModel::Schedule() {
    if (fPending) return;
    fPending = true;
    QMetaObject::invokeMethod(this, &TStringGridModel::Flush, Qt::QueuedConnection);
}

void TStringGridModel::Flush() {
    if (!fPending) return;
    fPending = false;
    const int top = fDirtyTop, bottom = fDirtyBottom;
    fDirtyTop = kNoDirtyRow;
    fDirtyBottom = -1;
    const int rows = std::max(0, fRows - fFixedRows);
    const bool columnsChanged = fCols != fShownCols;

    if (fFixedRows != fShownFixedRows) {
        // Every view row changes its meaning.
        beginResetModel();
        fShownFixedRows = fFixedRows;
        fShownCols = fCols;
        fShownRows = rows;
        endResetModel();
        emit Flushed(columnsChanged, true);
        return;
    }
    // Growing or shrinking at the end keeps the view's current cell and selection.
    if (fCols > fShownCols) {
        beginInsertColumns({}, fShownCols, fCols - 1);
        fShownCols = fCols;
        endInsertColumns();
    } else if (fCols < fShownCols) {
        beginRemoveColumns({}, fCols, fShownCols - 1);
        fShownCols = fCols;
        endRemoveColumns();
    }
    if (rows > fShownRows) {
        beginInsertRows({}, fShownRows, rows - 1);
        fShownRows = rows;
        endInsertRows();
    } else if (rows < fShownRows) {
        beginRemoveRows({}, rows, fShownRows - 1);
        fShownRows = rows;
        endRemoveRows();
    }
    if (top <= bottom && fShownCols > 0) {
        if (top < fShownFixedRows) emit headerDataChanged(Qt::Horizontal, 0, fShownCols - 1);
        const int first = std::max(top - fShownFixedRows, 0);
        const int last = std::min(bottom - fShownFixedRows, fShownRows - 1);
        if (first <= last)
            emit dataChanged(index(first, 0), index(last, fShownCols - 1), {Qt::DisplayRole, Qt::EditRole});
    }
    emit Flushed(columnsChanged, false);
}

int TStringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fShownRows;
}

int TStringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fShownCols;
}

QVariant TStringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Cell(index.column(), index.row() + fShownFixedRows);
}

bool TStringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    SetCell(index.column(), index.row() + fShownFixedRows, value.toString());
    return true;
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& index) const {
    // Fixed columns are never selected nor made current, as in any string grid.
    if (!index.isValid() || index.column() < fFixedCols) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}
