#pragma once

#include "engine/TakeDataValues.h"

namespace gw {

// The ramp of an LM-OSL from the MOSL sheet: the largest point count that any converter value
// within 5 % of the wanted maximum power allows, with a time per point the reader can take (two
// byte factors) within 1.5 % of the wanted ramp time. Among values allowing the same count the
// one nearest the target wins, the higher side first. Nothing found gives an all-zero ramp.
MoslRamp MoslSearch(double maxPower, double rampTimeS, int maxPoints);

// Runs the search on the sheet's inputs when each lies in its range; otherwise the last result
// stands.
void UpdateMoslSearch(MoslSheetValues& sheet);

} // namespace gw
