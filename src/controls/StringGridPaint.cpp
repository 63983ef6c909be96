// How TStringGridCheck paints one cell: a flat fill for normal cells, a header section
// (themed) or a raised face (classic) for fixed cells, then a check box or the text.
#include "controls/StringGridCheker.h"

#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

void TStringGridCheck::PaintCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect,
                                 TGridDrawState State) {
    const QRect& R = Rect;
    // The cell less one pixel on the left and top and two on the right and bottom: the
    // margin left unpainted is what separates the cells, as no grid lines are drawn.
    const QRect I(R.left() + 1, R.top() + 1, R.width() - 3, R.height() - 3);
    const bool hot = HotCell() == QPoint(ACol, ARow);
    const bool themed = fDrawingStyle == gdsThemed;
    const bool fixedRow = ARow < FixedRows();
    const bool fixedCol = ACol < FixedCols();
    const QPalette& pal = palette();
    Canvas.setFont(font());

    if (OnDrawingCell) OnDrawingCell(this, Canvas, ACol, ARow, R, State);

    if (!fixedRow && !fixedCol) {
        Canvas.fillRect(I, pal.color((State & gdSelected) ? QPalette::Highlight : QPalette::Base));
    } else if (themed) {
        QStyleOptionHeader header;
        header.initFrom(this);
        header.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
        if (hot) header.state |= QStyle::State_MouseOver;
        header.rect = R;
        header.section = ACol;
        header.orientation = Qt::Horizontal;
        header.position = fixedRow ? QStyleOptionHeader::Middle : QStyleOptionHeader::Beginning;
        style()->drawControl(QStyle::CE_HeaderSection, &header, &Canvas, this);
    } else {
        PaintRaisedFace(Canvas, R);
    }

    if (ACol == fCheckCollIndex && !fixedRow) {
        PaintCheckBox(Canvas, R, I, GetChecked(ARow), hot, themed);
    } else if (ACol >= 0 && ARow >= 0) {
        QPalette::ColorRole role = (fixedRow || fixedCol) ? QPalette::WindowText : QPalette::Text;
        if (State & gdSelected) role = QPalette::HighlightedText;
        Canvas.setPen(pal.color(role));
        Canvas.setBrush(Qt::NoBrush);
        const QString text = Canvas.fontMetrics().elidedText(Cells(ACol, ARow), Qt::ElideRight, I.width());
        const int align = (fixedRow || fixedCol) ? Qt::AlignHCenter : Qt::AlignLeft;
        Canvas.drawText(I, Qt::AlignTop | Qt::TextSingleLine | align, text);
    }

    if (OnDrawCell) OnDrawCell(this, Canvas, ACol, ARow, R, State);
}

void TStringGridCheck::PaintRaisedFace(QPainter& Canvas, const QRect& R) {
    const QPalette& pal = palette();
    Canvas.fillRect(R, pal.color(QPalette::Midlight));
    // Right and bottom as the first pixel outside the cell.
    const int L = R.left(), T = R.top(), Rt = R.left() + R.width(), B = R.top() + R.height();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.setPen(QPen(pal.color(QPalette::Light), 1));
    Canvas.drawLine(L + 1, B - 1, L + 1, T);
    Canvas.drawLine(L + 1, T, Rt - 1, T);
    Canvas.setPen(QPen(Qt::black, 1));
    Canvas.drawLine(Rt - 1, T, Rt - 1, B - 1);
    Canvas.drawLine(Rt - 1, B - 1, L + 1, B - 1);
    Canvas.setPen(QPen(pal.color(QPalette::Shadow), 1));
    Canvas.drawLine(L + 1, B - 2, Rt - 2, B - 2);
    Canvas.drawLine(Rt - 2, B - 2, Rt - 2, T + 1);
}

void TStringGridCheck::PaintCheckBox(QPainter& Canvas, const QRect& R, const QRect& I, bool checked, bool hot,
                                     bool themed) {
    if (themed) {
        // The style's box at its own size, centred in the whole cell.
        QStyleOptionButton box;
        box.initFrom(this);
        box.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        if (hot) box.state |= QStyle::State_MouseOver;
        const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, &box, this);
        const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, &box, this);
        box.rect = QRect(R.left() + (R.width() - w) / 2, R.top() + (R.height() - h) / 2, w, h);
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &Canvas, this);
        return;
    }
    // Classic: a sunken square filling the inner rectangle, with a tick when checked.
    const int side = std::min(I.width(), I.height());
    if (side < 6) return;
    const QRect box(I.left() + (I.width() - side) / 2, I.top() + (I.height() - side) / 2, side, side);
    const QBrush fill = palette().brush(QPalette::Base);
    qDrawWinPanel(&Canvas, box, palette(), true, &fill);
    if (!checked) return;
    const QRect inner = box.adjusted(3, 3, -3, -3);
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.setPen(QPen(palette().color(QPalette::Text), 2));
    const QPoint tick[] = {{inner.left(), inner.center().y()},
                           {inner.left() + inner.width() / 3, inner.bottom()},
                           {inner.right(), inner.top()}};
    Canvas.drawPolyline(tick, 3);
}
