#pragma once

#include "windows/CurveCsv.h"

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QTimer>
#include <array>

class QLineSeries;
class QLogValueAxis;
class QValueAxis;

namespace gw {

// The live graph's chart: up to four counter channels' curves, the preheat display and the red
// status marker over an x axis and a linear or logarithmic count-rate axis. Points are collected
// and handed to the series in batches (a few times a second, and at every refresh), so a curve of
// many thousand points costs one append per batch instead of a redraw per point.
class LiveChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int Channels = 4;
    static constexpr int BatchIntervalMs = 100;
    // The logarithmic axis starts here; lower rates are drawn on it.
    static constexpr double LogFloor = 1.0;

    explicit LiveChart(QWidget* parent = nullptr);

    // Removes the curves, the preheat display and the marker.
    void clearChart();
    void setChartTitle(const QString& title);
    void setXAxis(const QString& caption, double upperLimit, int decimals);
    void setXUpperLimit(double upperLimit);
    double xUpperLimit() const;
    void setYUpperLimit(double upperLimit);
    double yUpperLimit() const { return yUpper_; }

    void addCurvePoint(int channel, double x, double rate);
    void addPreheatPoint(double rate);
    // The marker: a bar from x to x + 0.7 x (10 pixels at the current scale) at height y.
    void showStatusPoint(double x, double y);
    void removeStatusPoint();
    bool hasStatusPoint() const;

    // Hands the collected points to the series now.
    void flush();

    void setLogarithmic(bool on);
    bool logarithmic() const { return logarithmic_; }

    // The curves as measured (all points, batched or not).
    CurveData curve() const;
    // Writes the curve as CSV, or the chart as PNG; false with the reason when it cannot.
    bool exportCsv(const QString& path, QString* error) const;
    bool exportPng(const QString& path, QString* error);

    // For checks: the points the series of a channel holds, and the batches handed over so far.
    qsizetype seriesPointCount(int channel) const;
    int batchesFlushed() const { return batches_; }
    QLineSeries* channelSeries(int channel) const;
    QLineSeries* markerSeries() const { return marker_; }
    QValueAxis* xAxis() const { return xAxis_; }

private:
    void createSeries();
    void attachY();
    void scheduleFlush();
    double shownY(double y) const;
    QList<QPointF> shown(const QList<QPointF>& points) const;
    void applyYRange();

    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yLinear_ = nullptr;
    QLogValueAxis* yLog_ = nullptr;
    std::array<QLineSeries*, Channels> curves_{};
    QLineSeries* preheat_ = nullptr;
    QLineSeries* marker_ = nullptr;
    std::array<QList<QPointF>, Channels> measured_;
    std::array<QList<QPointF>, Channels> pending_;
    QList<QPointF> measuredPreheat_;
    QList<QPointF> pendingPreheat_;
    int preheatCount_ = 0;
    double yUpper_ = 1000;
    bool yRangeDirty_ = false;
    bool logarithmic_ = false;
    int batches_ = 0;
    QTimer batchTimer_;
};

} // namespace gw
