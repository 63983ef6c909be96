#pragma once
// The pulse chart: two line series, "Задания" and "Выполнено". The points live in the
// program's own arrays; the chart is handed only a reduced copy, a few points per pixel
// column, so a million points draw as fast as a thousand.
#include "pulse/PulseReducer.h"
#include "pulse/PulseSeries.h"

#include <QtCharts/QChartView>
#include <functional>

class QLineSeries;
class QValueAxis;

class TPulseChart : public QChartView {
    Q_OBJECT
public:
    explicit TPulseChart(QWidget* parent = nullptr);

    // The points of both series; call Changed() after adding to them.
    TPulseData Data;
    void Changed();

    QLineSeries* Series1 = nullptr; // "Задания"
    QLineSeries* Series2 = nullptr; // "Выполнено"

    std::function<void(Qt::MouseButton Button)> OnMouseUp;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Redraw();
    int PlotColumns() const;

    TPulseReducer reducer1_, reducer2_;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    bool dirty_ = true;
};
