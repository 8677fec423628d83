#include "engine/CurveSmoothing.h"

#include <numeric>
#include <vector>

namespace gw {

namespace {

std::vector<double> BoxCar(std::span<const double> b) {
    const std::size_t n = b.size() - 1;
    std::vector<double> m(b.size());
    m[0] = (2 * b[0] + b[1]) / 3;
    for (std::size_t k = 1; k < n; ++k) {
        m[k] = (b[k - 1] + b[k] + b[k + 1]) / 3;
    }
    m[n] = (2 * b[n] + b[n - 1]) / 3;
    return m;
}

std::vector<double> Gaussian3(std::span<const double> b) {
    const std::size_t n = b.size() - 1;
    std::vector<double> m(b.size());
    m[0] = (1.5 * b[0] + 0.5 * b[1]) * 0.5;
    for (std::size_t k = 1; k < n; ++k) {
        m[k] = ((b[k - 1] + b[k + 1]) * 0.5 + b[k]) * 0.5;
    }
    m[n] = (1.5 * b[n] + 0.5 * b[n - 1]) * 0.5;
    return m;
}

std::vector<double> Gaussian5(std::span<const double> b) {
    const std::size_t n = b.size() - 1;
    std::vector<double> m(b.size());
    m[0] = (2.15 * b[0] + 0.78 * b[1] + 0.37 * b[2]) / 3.3;
    m[1] = (1.37 * b[1] + 0.78 * (b[0] + b[2]) + 0.37 * b[3]) / 3.3;
    for (std::size_t k = 2; k + 2 <= n; ++k) {
        m[k] = (b[k] + 0.78 * (b[k - 1] + b[k + 1]) + 0.37 * (b[k - 2] + b[k + 2])) / 3.3;
    }
    m[n - 1] = (1.37 * b[n - 1] + 0.78 * (b[n - 2] + b[n]) + 0.37 * b[n - 3]) / 3.3;
    m[n] = (2.15 * b[n] + 0.78 * b[n - 1] + 0.37 * b[n - 2]) / 3.3;
    return m;
}

} // namespace

CurveFilter FilterForPoints(int filterNumber, int points) {
    if (filterNumber == int(CurveFilter::Gaussian5) && points >= 5) {
        return CurveFilter::Gaussian5;
    }
    if (filterNumber == int(CurveFilter::Gaussian5) ||
        filterNumber == int(CurveFilter::Gaussian3)) {
        return points >= 2 ? CurveFilter::Gaussian3 : CurveFilter::None;
    }
    if (filterNumber == int(CurveFilter::BoxCar) && points >= 2) {
        return CurveFilter::BoxCar;
    }
    return CurveFilter::None;
}

void SmoothCurve(std::span<double> curve, CurveFilter filter) {
    if (filter == CurveFilter::None || curve.empty()) {
        return;
    }
    const std::vector<double> m = filter == CurveFilter::BoxCar      ? BoxCar(curve)
                                  : filter == CurveFilter::Gaussian3 ? Gaussian3(curve)
                                                                     : Gaussian5(curve);
    const double before = std::accumulate(curve.begin(), curve.end(), 0.0);
    const double after = std::accumulate(m.begin(), m.end(), 0.0);
    const double scale = after != 0.0 ? before / after : 1.0;
    for (std::size_t k = 0; k < curve.size(); ++k) {
        curve[k] = scale * m[k];
    }
}

} // namespace gw
