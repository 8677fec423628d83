#include "engine/GraphSetup.h"

#include "engine/OperationTime.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

constexpr int HotTlLimit = 500;

int TimeAxisDecimals(double xMaximum) {
    if (!(xMaximum > 0.0) || !std::isfinite(xMaximum)) {
        return 1;
    }
    const double magnitude = std::trunc(std::log10(xMaximum));
    return std::max(1 - static_cast<int>(std::nearbyint(magnitude)), 0);
}

} // namespace

GraphSetup GraphSetupFor(const TDataType& operation) {
    GraphSetup setup;
    setup.disk = operation.Disk;
    const bool irradiation = operation.Kind == OperationKind::Irradiation;
    setup.showHole = !irradiation && operation.UseHoles != 0;
    setup.hole = operation.Hole;
    if (operation.Kind == OperationKind::TL) {
        setup.showChart = true;
        setup.showsTL = true;
        setup.title = "TL glow curve";
        setup.xAxisTitle = "glow curve temperature, \260C";
        setup.xMaximum = operation.Temperature > HotTlLimit ? 700.0 : 500.0;
    } else if (IsOslKind(operation.Kind)) {
        setup.showChart = true;
        setup.title = operation.Kind == OperationKind::OSL ? "OSL curve" : "M-OSL curve";
        setup.xAxisTitle = "excitation time, s";
        setup.xMaximum = OperationDuration(operation);
        setup.xDecimals = TimeAxisDecimals(setup.xMaximum);
    }
    return setup;
}

} // namespace gw
