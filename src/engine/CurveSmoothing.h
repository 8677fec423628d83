#pragma once

#include <span>

namespace gw {

// The curve filters of the profile's FilterNum.
enum class CurveFilter { None = 0, BoxCar = 1, Gaussian3 = 2, Gaussian5 = 3 };

// The widest filter not wider than the chosen one whose formulas stay inside a curve of that many
// points: a 3-point filter needs 2 points, the 5-point filter 5; a single point is not smoothed.
// A number outside 0..3 smooths nothing.
CurveFilter FilterForPoints(int filterNumber, int points);

// Smooths the curve with the filter and scales it so that its sum stays what it was (unscaled
// when the smoothed sum is 0). The filter must fit the curve (FilterForPoints).
void SmoothCurve(std::span<double> curve, CurveFilter filter);

} // namespace gw
