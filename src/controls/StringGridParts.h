#pragma once
// The two helpers through which TStringGridCheck paints: the header that shows the fixed
// rows, and the delegate that paints the other cells. Both hand their cells to the grid's
// own PaintCell and their pointer events to the grid's handlers.
#include <QHeaderView>
#include <QStyledItemDelegate>

class TStringGridCheck;

class TGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TGridHeader(TStringGridCheck* grid);
    // As high as the fixed rows.
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    TStringGridCheck* fGrid;
};

class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TGridCellDelegate(TStringGridCheck* grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TStringGridCheck* fGrid;
};
