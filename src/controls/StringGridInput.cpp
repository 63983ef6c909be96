// TStringGridCheck: what the selection covers, which cell lies under the pointer, and the
// pointer and key events with the grid's own work before the user's handlers.
#include "controls/StringGridCheker.h"

#include "controls/StringGridModel.h"
#include "controls/StringGridParts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

// ---- Selection and cells under the pointer ----

TGridRect TStringGridCheck::CurrentSelection() const {
    if (fSelectionCacheValid) return fSelectionCache;
    TGridRect s;
    const QItemSelectionModel* selection = selectionModel();
    if (selection) {
        const QItemSelection ranges = selection->selection();
        for (const QItemSelectionRange& range : ranges) {
            if (!range.isValid()) continue;
            if (s.Left < 0) s = {range.left(), range.top(), range.right(), range.bottom()};
            s = {std::min(s.Left, range.left()), std::min(s.Top, range.top()),
                 std::max(s.Right, range.right()), std::max(s.Bottom, range.bottom())};
        }
        const QModelIndex current = selection->currentIndex();
        if (s.Left < 0 && current.isValid())
            s = {current.column(), current.row(), current.column(), current.row()};
    }
    if (s.Left >= 0) {
        // Fixed columns are never part of the selection; a row selection spans the rest.
        s.Left = (fBaseOptions & goRowSelect) ? FixedCols() : std::max(s.Left, FixedCols());
        if (fBaseOptions & goRowSelect) s.Right = fModel->columnCount() - 1;
        s.Top += fModel->ShownFixedRows();
        s.Bottom += fModel->ShownFixedRows();
        if (s.Left > s.Right) s = {};
    }
    fSelectionCache = s;
    fSelectionCacheValid = true;
    return s;
}

bool TStringGridCheck::InSelection(int X, int Y) const {
    const TGridRect s = CurrentSelection();
    return s.Left >= 0 && X >= s.Left && X <= s.Right && Y >= s.Top && Y <= s.Bottom;
}

QPoint TStringGridCheck::CellAt(QPoint gridPos) const {
    const QPoint inViewport = viewport()->mapFrom(this, gridPos);
    int col = -1, row = -1;
    if (inViewport.x() >= 0 && inViewport.x() < viewport()->width()) col = columnAt(inViewport.x());
    if (fHeader->isVisible() && fHeader->geometry().contains(gridPos)) {
        row = (gridPos.y() - fHeader->geometry().top()) / fDefaultRowHeight;
        if (row >= fModel->ShownFixedRows()) row = -1;
    } else if (inViewport.y() >= 0 && inViewport.y() < viewport()->height()) {
        const int viewRow = rowAt(inViewport.y());
        if (viewRow >= 0) row = viewRow + fModel->ShownFixedRows();
    }
    return {col, row};
}

QPoint TStringGridCheck::HotCell() const {
    return fPointerInside ? CellAt(fPointerPos) : QPoint(-1, -1);
}

TGridDrawState TStringGridCheck::CellState(int ACol, int ARow) const {
    TGridDrawState state;
    if (InSelection(ACol, ARow)) state |= gdSelected;
    if (ARow < FixedRows() || ACol < FixedCols()) state |= gdFixed;
    const QModelIndex current = currentIndex();
    if (hasFocus() && current.isValid() && current.column() == ACol &&
        current.row() + fModel->ShownFixedRows() == ARow)
        state |= gdFocused;
    return state;
}

void TStringGridCheck::UpdateCell(int ACol, int ARow) {
    if (ACol < 0 || ACol >= fHeader->count() || ARow < 0) return;
    const int x = columnViewportPosition(ACol), width = columnWidth(ACol);
    if (ARow < fModel->ShownFixedRows()) {
        fHeader->viewport()->update(x, ARow * fDefaultRowHeight, width, fDefaultRowHeight);
        return;
    }
    const int viewRow = ARow - fModel->ShownFixedRows();
    if (viewRow < fModel->rowCount())
        viewport()->update(x, rowViewportPosition(viewRow), width, rowHeight(viewRow));
}

void TStringGridCheck::HotTrackCell(int ACol, int ARow) {
    // The hot look is decided when painting; repainting the cell the pointer left and the
    // one it entered is enough.
    if (ACol == OldCellC && ARow == OldCellR) return;
    UpdateCell(OldCellC, OldCellR);
    UpdateCell(ACol, ARow);
    OldCellC = ACol;
    OldCellR = ARow;
}

// ---- Events ----

QPoint TStringGridCheck::GridPos(const QMouseEvent* event) const {
    return mapFromGlobal(event->globalPosition().toPoint());
}

void TStringGridCheck::GridMouseDown(const QMouseEvent* event) {
    const QPoint pos = GridPos(event);
    OldButton = event->button();
    OldMouseCell = CellAt(pos);
    if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TStringGridCheck::GridMouseMove(const QMouseEvent* event) {
    const QPoint pos = GridPos(event);
    fPointerPos = pos;
    fPointerInside = true;
    const QPoint cell = CellAt(pos);
    if (cell.x() >= 0 && cell.y() >= 0) HotTrackCell(cell.x(), cell.y());
    if (OnMouseMove) OnMouseMove(this, event->modifiers(), pos.x(), pos.y());
}

void TStringGridCheck::GridMouseUp(const QMouseEvent* event) {
    const QPoint pos = GridPos(event);
    const QPoint cell = CellAt(pos);
    const int ACol = cell.x(), ARow = cell.y();
    if (ARow >= FixedRows() && ARow < RowCount() && ARow >= 0 && ACol == fCheckCollIndex && ACol >= 0 &&
        event->button() == Qt::LeftButton && event->button() == OldButton && OldMouseCell == cell)
        SetChecked(ARow, !GetChecked(ARow));
    if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TStringGridCheck::mousePressEvent(QMouseEvent* event) {
    if (fInDoubleClick) { // the base double click asks for a press of its own
        QTableView::mousePressEvent(event);
        return;
    }
    SyncView();
    const QPoint cell = CellAt(GridPos(event));
    const bool normal = cell.x() >= FixedCols() && cell.y() >= FixedRows();
    const bool moves = normal && (cell.x() != Col() || cell.y() != Row());
    if (!moves || SelectCell(cell.x(), cell.y())) QTableView::mousePressEvent(event);
    GridMouseDown(event);
}

void TStringGridCheck::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click has come as a press already; what the base
    // does here must not count as one more.
    SyncView();
    fInDoubleClick = true;
    QTableView::mouseDoubleClickEvent(event);
    fInDoubleClick = false;
}

void TStringGridCheck::mouseMoveEvent(QMouseEvent* event) {
    SyncView();
    QTableView::mouseMoveEvent(event);
    GridMouseMove(event);
}

void TStringGridCheck::mouseReleaseEvent(QMouseEvent* event) {
    SyncView();
    QTableView::mouseReleaseEvent(event);
    GridMouseUp(event);
}

void TStringGridCheck::keyPressEvent(QKeyEvent* event) {
    SyncView();
    QChar Key;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Key = QChar(13);
    else if (!event->text().isEmpty())
        Key = event->text().at(0);
    if (Key.isNull()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const bool toggles = Key == QChar(13) || Key == QChar(32);
    if (toggles) KeyboardToggle();
    QChar userKey = Key;
    if (OnKeyPress) OnKeyPress(this, userKey);
    // Enter and Space belong to the check column (the view would otherwise collapse the
    // selection on Space); a handler can swallow any key by clearing it.
    if (userKey.isNull() || (toggles && fCheckCollIndex >= 0 && fCheckCollIndex < ColCount())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TStringGridCheck::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    RedrawCheckColumn();
}

bool TStringGridCheck::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) PointerLeft();
    return QTableView::viewportEvent(event);
}

QModelIndex TStringGridCheck::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (next.isValid() && next != currentIndex() &&
        !SelectCell(next.column(), next.row() + fModel->ShownFixedRows()))
        return currentIndex();
    return next;
}

void TStringGridCheck::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // Before the base, which may open the editor on the new cell.
    if (current.isValid()) ApplyEditingRule(current.column());
    QTableView::currentChanged(current, previous);
}
