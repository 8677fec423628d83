#include "windows/views/LiveChart.h"

#include "windows/GraphScale.h"

#include <QChart>
#include <QFile>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QPixmap>
#include <QSaveFile>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace gw {

namespace {

// Counter channel 0 black, 1 blue, 2 green, 3 red.
const std::array<QColor, LiveChart::Channels> ChannelColours{Qt::black, Qt::blue, Qt::darkGreen,
                                                             Qt::red};
constexpr double MarkerPixels = 10;
constexpr double MarkerShare = 0.7;
constexpr double RangeHeadroom = 1.05;

// Grid lines at 1, 2 or 5 x 10^n, about five over the range, whatever the range's own limit.
double TickStep(double range) {
    const double rough = range / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * decade >= rough) {
            return factor * decade;
        }
    }
    return 10 * decade;
}

QLineSeries* newSeries(QChart* chart, const QColor& colour, qreal width) {
    auto* series = new QLineSeries(chart);
    QPen pen(colour);
    pen.setWidthF(width);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

} // namespace

LiveChart::LiveChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("Chart"));
    auto* chart = new QChart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->hide();
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);

    xAxis_ = new QValueAxis(chart);
    yLinear_ = new QValueAxis(chart);
    yLog_ = new QLogValueAxis(chart);
    yLog_->setBase(10);
    yLog_->setLabelFormat(QStringLiteral("%g"));
    yLinear_->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(xAxis_, Qt::AlignBottom);
    chart->addAxis(yLinear_, Qt::AlignLeft);
    chart->addAxis(yLog_, Qt::AlignLeft);
    yLog_->hide();
    for (QValueAxis* axis : {xAxis_, yLinear_}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
    }
    createSeries();

    setChartTitle(QStringLiteral("Luminescence glow"));
    setXAxis(QStringLiteral("temperature, \u00b0C"), GraphScale::NarrowXLimit, 0);
    yLinear_->setTitleText(QStringLiteral("photon count rate"));
    yLog_->setTitleText(QStringLiteral("photon count rate"));
    setYUpperLimit(GraphScale::InitialYLimit);
    marker_->replace(QList<QPointF>{{150, 500}, {200, 500}});

    batchTimer_.setSingleShot(true);
    batchTimer_.setInterval(BatchIntervalMs);
    connect(&batchTimer_, &QTimer::timeout, this, &LiveChart::flush);
}

void LiveChart::createSeries() {
    QChart* c = chart();
    for (int k = 0; k < Channels; ++k) {
        curves_[static_cast<std::size_t>(k)] =
            newSeries(c, ChannelColours[static_cast<std::size_t>(k)], 1.5);
    }
    preheat_ = newSeries(c, QColor(160, 160, 160), 1);
    marker_ = newSeries(c, Qt::red, 4);
    for (QAbstractSeries* series : c->series()) {
        series->attachAxis(xAxis_);
        series->attachAxis(yLinear_);
    }
}

void LiveChart::clearChart() {
    batchTimer_.stop();
    for (std::size_t k = 0; k < curves_.size(); ++k) {
        curves_[k]->clear();
        measured_[k].clear();
        pending_[k].clear();
    }
    preheat_->clear();
    measuredPreheat_.clear();
    pendingPreheat_.clear();
    preheatCount_ = 0;
    marker_->clear();
}

void LiveChart::setChartTitle(const QString& title) {
    chart()->setTitle(title);
}

void LiveChart::setXAxis(const QString& caption, double upperLimit, int decimals) {
    xAxis_->setTitleText(caption);
    xAxis_->setLabelFormat(QStringLiteral("%.") + QString::number(std::max(decimals, 0)) +
                           QStringLiteral("f"));
    setXUpperLimit(upperLimit);
}

void LiveChart::setXUpperLimit(double upperLimit) {
    const double limit = upperLimit > 0 && std::isfinite(upperLimit) ? upperLimit : 1;
    xAxis_->setRange(0, limit);
    xAxis_->setTickInterval(TickStep(limit));
}

double LiveChart::xUpperLimit() const {
    return xAxis_->max();
}

void LiveChart::setYUpperLimit(double upperLimit) {
    yUpper_ = upperLimit > 0 && std::isfinite(upperLimit) ? upperLimit : GraphScale::InitialYLimit;
    yRangeDirty_ = false;
    applyYRange();
}

void LiveChart::applyYRange() {
    yLinear_->setRange(0, yUpper_);
    yLinear_->setTickInterval(TickStep(yUpper_));
    yLog_->setRange(LogFloor, std::max(yUpper_, LogFloor * 10));
}

void LiveChart::addCurvePoint(int channel, double x, double rate) {
    if (channel < 0 || channel >= Channels || !std::isfinite(x) || !std::isfinite(rate)) {
        return;
    }
    const QPointF point(x, rate);
    measured_[static_cast<std::size_t>(channel)].append(point);
    pending_[static_cast<std::size_t>(channel)].append(point);
    if (rate > yUpper_) {
        yUpper_ = RangeHeadroom * rate;
        yRangeDirty_ = true;
    }
    scheduleFlush();
}

void LiveChart::addPreheatPoint(double rate) {
    if (!std::isfinite(rate)) {
        return;
    }
    const QPointF point(preheatCount_++, rate);
    measuredPreheat_.append(point);
    pendingPreheat_.append(point);
    scheduleFlush();
}

void LiveChart::showStatusPoint(double x, double y) {
    const double plotWidth = chart()->plotArea().width();
    const double span = xAxis_->max() - xAxis_->min();
    const double pixel = plotWidth > 0 ? span / plotWidth : span / 500;
    const double width = MarkerShare * MarkerPixels * pixel;
    const double shownHeight = shownY(y);
    marker_->replace(QList<QPointF>{{x, shownHeight}, {x + width, shownHeight}});
}

void LiveChart::removeStatusPoint() {
    marker_->clear();
}

bool LiveChart::hasStatusPoint() const {
    return marker_->count() > 0;
}

void LiveChart::scheduleFlush() {
    if (!batchTimer_.isActive()) {
        batchTimer_.start();
    }
}

void LiveChart::flush() {
    batchTimer_.stop();
    bool handed = false;
    // One replace per batch: the series' own list append announces every point singly, and the
    // chart would lay out the whole curve again for each of them.
    for (std::size_t k = 0; k < curves_.size(); ++k) {
        if (!pending_[k].isEmpty()) {
            curves_[k]->replace(shown(measured_[k]));
            pending_[k].clear();
            handed = true;
        }
    }
    if (!pendingPreheat_.isEmpty()) {
        preheat_->replace(shown(measuredPreheat_));
        pendingPreheat_.clear();
        handed = true;
    }
    if (yRangeDirty_) {
        yRangeDirty_ = false;
        applyYRange();
    }
    if (handed) {
        ++batches_;
    }
}

double LiveChart::shownY(double y) const {
    return logarithmic_ ? std::max(y, LogFloor) : y;
}

QList<QPointF> LiveChart::shown(const QList<QPointF>& points) const {
    if (!logarithmic_) {
        return points;
    }
    QList<QPointF> clamped = points;
    for (QPointF& p : clamped) {
        p.setY(shownY(p.y()));
    }
    return clamped;
}

void LiveChart::setLogarithmic(bool on) {
    if (on == logarithmic_) {
        return;
    }
    flush();
    QAbstractAxis* from = on ? static_cast<QAbstractAxis*>(yLinear_) : yLog_;
    QAbstractAxis* to = on ? static_cast<QAbstractAxis*>(yLog_) : yLinear_;
    logarithmic_ = on;
    // The values go on the log scale before the scale itself: zero has no place there.
    for (std::size_t k = 0; k < curves_.size(); ++k) {
        curves_[k]->replace(shown(measured_[k]));
    }
    preheat_->replace(shown(measuredPreheat_));
    marker_->replace(shown(marker_->points()));
    // Both axes stay in the chart; the series follow the one in use and the other is hidden.
    for (QLineSeries* series :
         {curves_[0], curves_[1], curves_[2], curves_[3], preheat_, marker_}) {
        series->detachAxis(from);
        series->attachAxis(to);
    }
    from->hide();
    to->show();
    applyYRange();
}

CurveData LiveChart::curve() const {
    CurveData data;
    data.xTitle = xAxis_->titleText().toStdString();
    std::size_t used = 0;
    for (std::size_t k = 0; k < measured_.size(); ++k) {
        if (!measured_[k].isEmpty()) {
            used = k + 1;
        }
    }
    for (std::size_t k = 0; k < std::max<std::size_t>(used, 1); ++k) {
        std::vector<std::pair<double, double>> points;
        points.reserve(static_cast<std::size_t>(measured_[k].size()));
        for (const QPointF& p : measured_[k]) {
            points.emplace_back(p.x(), p.y());
        }
        data.channels.push_back(std::move(points));
    }
    return data;
}

bool LiveChart::exportCsv(const QString& path, QString* error) const {
    const std::string csv = CurveCsv(curve());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

bool LiveChart::exportPng(const QString& path, QString* error) {
    flush();
    const QPixmap picture = grab();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        if (error) {
            *error = file.errorString().isEmpty()
                         ? QStringLiteral("the picture could not be written")
                         : file.errorString();
        }
        return false;
    }
    return true;
}

qsizetype LiveChart::seriesPointCount(int channel) const {
    return channelSeries(channel) ? channelSeries(channel)->count() : 0;
}

QLineSeries* LiveChart::channelSeries(int channel) const {
    return channel >= 0 && channel < Channels ? curves_[static_cast<std::size_t>(channel)]
                                              : nullptr;
}

} // namespace gw
