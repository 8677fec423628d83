#include "engine/views/DataFilePlot.h"

#include "platform/Windows1252.h"

#include <QChart>
#include <QFileInfo>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>

namespace gw {

namespace {

// Ten colours that stay apart from each other on white.
constexpr std::array<QRgb, 10> CurveColours = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                                               0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};

QString CountsTitle(CurveNormalisation normalisation) {
    switch (normalisation) {
    case CurveNormalisation::FirstPoint:
        return QObject::tr("Counts / first point");
    case CurveNormalisation::Maximum:
        return QObject::tr("Counts / maximum");
    default:
        return QObject::tr("Counts");
    }
}

QString AcrossTitle(const std::vector<DataFileCurve>& curves) {
    const bool anyTl = std::any_of(curves.begin(), curves.end(), [](auto& c) { return c.tl; });
    const bool anyTime = std::any_of(curves.begin(), curves.end(), [](auto& c) { return !c.tl; });
    if (anyTl && anyTime) {
        return QObject::tr("Temperature (\u00b0C) or time (s)");
    }
    return anyTime ? QObject::tr("Time (s)") : QObject::tr("Temperature (\u00b0C)");
}

// The top of a linear count axis: the next of 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8 times a power of
// ten, with the tick count that puts the ticks on round numbers.
std::pair<double, int> NiceTop(double value) {
    static constexpr std::array<std::pair<double, int>, 10> Steps = {{{1.0, 6},
                                                                      {1.2, 7},
                                                                      {1.5, 4},
                                                                      {2.0, 5},
                                                                      {2.5, 6},
                                                                      {3.0, 7},
                                                                      {4.0, 5},
                                                                      {5.0, 6},
                                                                      {6.0, 7},
                                                                      {8.0, 5}}};
    const double scale = std::pow(10.0, std::floor(std::log10(value)));
    for (const auto& [mantissa, ticks] : Steps) {
        if (mantissa * scale >= value * (1.0 - 1e-12)) {
            return {mantissa * scale, ticks};
        }
    }
    return {10.0 * scale, 6};
}

} // namespace

DataFilePlot::DataFilePlot(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("DataFilePlot"));
    setRenderHint(QPainter::Antialiasing);
    showCurves({}, false, CurveNormalisation::None);
}

void DataFilePlot::showCurves(const std::vector<DataFileCurve>& curves, bool logCounts,
                              CurveNormalisation normalisation) {
    // A new chart each time: axes taken off a chart can leave their drawing behind.
    auto* c = new QChart;
    c->legend()->setAlignment(Qt::AlignRight);
    c->setMargins(QMargins(4, 4, 4, 4));
    int colour = 0;
    for (const DataFileCurve& curve : curves) {
        auto* series = new QLineSeries(c);
        QString name = FromWindows1252(curve.label);
        if (!curve.note.empty()) {
            name += QStringLiteral(" (") + FromWindows1252(curve.note) + QStringLiteral(")");
        }
        series->setName(name);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(curve.points.size()));
        for (const auto& [x, y] : curve.points) {
            points.append(QPointF(x, y));
        }
        series->replace(points);
        QPen pen(QColor(CurveColours[static_cast<std::size_t>(colour++) % CurveColours.size()]));
        pen.setWidthF(1.5);
        series->setPen(pen);
        c->addSeries(series);
    }
    c->legend()->setVisible(!curves.empty() && static_cast<int>(curves.size()) <= MaxLegendEntries);
    QChart* old = chart();
    setChart(c);
    delete old;
    setAxes(curves, logCounts, normalisation);
}

void DataFilePlot::setAxes(const std::vector<DataFileCurve>& curves, bool logCounts,
                           CurveNormalisation normalisation) {
    QChart* c = chart();
    auto* across = new QValueAxis(c);
    across->setTitleText(AcrossTitle(curves));
    across->setLabelFormat(QStringLiteral("%g"));
    QAbstractAxis* up = nullptr;
    if (logCounts) {
        auto* log = new QLogValueAxis(c);
        log->setBase(10.0);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        up = log;
    } else {
        auto* linear = new QValueAxis(c);
        linear->setLabelFormat(QStringLiteral("%g"));
        up = linear;
    }
    up->setTitleText(CountsTitle(normalisation));
    c->addAxis(across, Qt::AlignBottom);
    c->addAxis(up, Qt::AlignLeft);
    double minX = 0.0, maxX = 1.0, minY = logCounts ? 1.0 : 0.0, maxY = 1.0;
    bool first = true;
    for (QAbstractSeries* series : c->series()) {
        series->attachAxis(across);
        series->attachAxis(up);
        for (const QPointF& p : static_cast<QLineSeries*>(series)->points()) {
            minX = first ? p.x() : std::min(minX, p.x());
            maxX = first ? p.x() : std::max(maxX, p.x());
            minY = first ? p.y() : std::min(minY, p.y());
            maxY = first ? p.y() : std::max(maxY, p.y());
            first = false;
        }
    }
    if (!logCounts) {
        minY = std::min(minY, 0.0);
    }
    across->setRange(minX, maxX > minX ? maxX : minX + 1.0);
    across->applyNiceNumbers();
    if (logCounts) {
        up->setRange(minY, maxY > minY ? maxY * 1.5 : minY * 10.0);
    } else if (auto* linear = static_cast<QValueAxis*>(up); maxY > 0.0 && minY >= 0.0) {
        const auto [top, ticks] = NiceTop(maxY * 1.03);
        linear->setRange(0.0, top);
        linear->setTickCount(ticks);
    } else {
        linear->setRange(minY, maxY > minY ? maxY : minY + 1.0);
        linear->applyNiceNumbers();
    }
}

int DataFilePlot::curveCount() const {
    return static_cast<int>(chart()->series().size());
}

QString DataFilePlot::horizontalTitle() const {
    const auto axes = chart()->axes(Qt::Horizontal);
    return axes.isEmpty() ? QString() : axes.front()->titleText();
}

QString DataFilePlot::verticalTitle() const {
    const auto axes = chart()->axes(Qt::Vertical);
    return axes.isEmpty() ? QString() : axes.front()->titleText();
}

bool DataFilePlot::savePicture(const QString& path) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size());
        svg.setViewBox(rect());
        svg.setTitle(tr("Data file"));
        QPainter painter;
        if (!painter.begin(&svg)) {
            return false;
        }
        render(&painter);
        return painter.end() && QFileInfo(path).size() > 0;
    }
    return grab().save(path, "PNG");
}

} // namespace gw
