#include "controls/StringGridParts.h"

#include "controls/StringGridCheker.h"
#include "controls/StringGridModel.h"

#include <QMouseEvent>
#include <QPainter>

TGridHeader::TGridHeader(TStringGridCheck* grid) : QHeaderView(Qt::Horizontal, grid), fGrid(grid) {
    // Clicks are the grid's mouse events; a clickable section would select its column.
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    viewport()->setMouseTracking(true);
}

QSize TGridHeader::sizeHint() const {
    return {QHeaderView::sizeHint().width(), fGrid->fModel->ShownFixedRows() * fGrid->DefaultRowHeight()};
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const int height = fGrid->DefaultRowHeight();
    for (int row = 0; row < fGrid->fModel->ShownFixedRows(); ++row) {
        const QRect cell(rect.left(), rect.top() + row * height, rect.width(), height);
        painter->save();
        fGrid->PaintCell(*painter, logicalIndex, row, cell, fGrid->CellState(logicalIndex, row));
        painter->restore();
    }
}

void TGridHeader::mousePressEvent(QMouseEvent* event) {
    fGrid->SyncView();
    QHeaderView::mousePressEvent(event);
    fGrid->GridMouseDown(event);
}

void TGridHeader::mouseMoveEvent(QMouseEvent* event) {
    fGrid->SyncView();
    QHeaderView::mouseMoveEvent(event);
    fGrid->GridMouseMove(event);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* event) {
    fGrid->SyncView();
    QHeaderView::mouseReleaseEvent(event);
    fGrid->GridMouseUp(event);
}

bool TGridHeader::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) fGrid->PointerLeft();
    return QHeaderView::viewportEvent(event);
}

TGridCellDelegate::TGridCellDelegate(TStringGridCheck* grid) : QStyledItemDelegate(grid), fGrid(grid) {}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const int row = index.row() + fGrid->fModel->ShownFixedRows();
    painter->save();
    fGrid->PaintCell(*painter, index.column(), row, option.rect, fGrid->CellState(index.column(), row));
    painter->restore();
}
