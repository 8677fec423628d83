#pragma once

#include "engine/DataFileCurve.h"

#include <QChartView>
#include <vector>

namespace gw {

// The curves of the chosen records over one pair of axes: temperature or time across, counts
// up, linear or logarithmic, raw or normalised.
class DataFilePlot : public QChartView {
    Q_OBJECT
public:
    // More curves than this hide the legend, which would cover the plot.
    static constexpr int MaxLegendEntries = 16;

    explicit DataFilePlot(QWidget* parent = nullptr);

    void showCurves(const std::vector<DataFileCurve>& curves, bool logCounts,
                    CurveNormalisation normalisation);
    int curveCount() const;
    QString horizontalTitle() const;
    QString verticalTitle() const;

    // The plot as a picture: SVG by the ".svg" suffix, else PNG. False when it cannot be written.
    bool savePicture(const QString& path);

private:
    void setAxes(const std::vector<DataFileCurve>& curves, bool logCounts,
                 CurveNormalisation normalisation);
};

} // namespace gw
