#include "pulse/PulseChart.h"

#include <QGraphicsLayout>
#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

QLineSeries* MakeSeries(const QString& title, QColor color, int width, Qt::PenCapStyle cap) {
    auto* series = new QLineSeries;
    series->setName(title);
    QPen pen(color);
    pen.setWidth(width);
    pen.setCapStyle(cap);
    series->setPen(pen);
    series->setPointsVisible(false);
    return series;
}

QList<QPointF> ToQt(const std::vector<TPulsePoint>& points) {
    QList<QPointF> out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& p : points) out.append(QPointF(p.x, p.y));
    return out;
}

} // namespace

TPulseChart::TPulseChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setTitle(QString());
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    Series1 = MakeSeries(QStringLiteral("Задания"), QColor(0, 31, 210), 2, Qt::FlatCap);
    Series2 = MakeSeries(QStringLiteral("Выполнено"), QColor(224, 2, 1), 1, Qt::SquareCap);
    chart->addSeries(Series1);
    chart->addSeries(Series2);
    axisX_ = new QValueAxis;
    axisY_ = new QValueAxis;
    // The page is small: thin margins and small labels leave the room to the lines.
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    QFont small = chart->legend()->font();
    small.setPixelSize(10);
    chart->legend()->setFont(small);
    for (QValueAxis* axis : {axisX_, axisY_}) {
        axis->setLabelFormat(QStringLiteral("%.0f"));
        axis->setLabelsFont(small);
    }
    axisX_->setTickCount(5);
    axisY_->setTickCount(3);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    for (auto* s : {Series1, Series2}) {
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);
}

void TPulseChart::Changed() {
    dirty_ = true;
    if (isVisible()) Redraw();
}

int TPulseChart::PlotColumns() const {
    return std::max(1, static_cast<int>(chart()->plotArea().width()));
}

void TPulseChart::Redraw() {
    dirty_ = false;
    const int columns = PlotColumns();
    reducer1_.Update(Data.Series1, columns);
    reducer2_.Update(Data.Series2, columns);
    Series1->replace(ToQt(reducer1_.Points()));
    Series2->replace(ToQt(reducer2_.Points()));
    double maxX = 1, maxY = 1;
    for (const auto* r : {&reducer1_, &reducer2_})
        for (const auto& p : r->Points()) maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
    // Ranges that keep every tick on a whole number, and change only now and then: a new
    // range lays the whole chart out anew.
    const double topX = std::ceil(maxX / 4) * 4, topY = std::ceil((maxY + 1) / 2) * 2;
    if (axisX_->max() != topX) axisX_->setRange(0, topX);
    if (axisY_->max() != topY) axisY_->setRange(0, topY);
}

void TPulseChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    dirty_ = true;
    if (isVisible()) Redraw();
}

void TPulseChart::showEvent(QShowEvent* event) {
    QChartView::showEvent(event);
    if (dirty_) Redraw();
}

void TPulseChart::mouseReleaseEvent(QMouseEvent* event) {
    QChartView::mouseReleaseEvent(event);
    if (OnMouseUp) OnMouseUp(event->button());
}
