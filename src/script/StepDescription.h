#pragma once

#include <string>

namespace gw {

struct sc_Item;
struct sc_Script;

// The two-character code of an irradiator in a step description: "eA", "eB", "eG" for the
// external sources, "BT", "BL", "BH" (internal beta top, low, high), "A?" and "X?" likewise for
// internal alpha and X-ray, "??" for an unknown source.
std::string IrradiatorCode(int source, int position);

// The one-line summary of what the disk goes through, from its commands in order, for example
// "Irrad BT @20C 10Gy; Ph 160C/10s;  OSL0 90% @125/40/0/0". Numbers keep the script's text, with
// the decimal separator given.
std::string DescribeSteps(const sc_Item& disk, char decimalSeparator = '.');

// Replaces the text of every disk of the run list with its step description.
void DescribeDisks(sc_Script& script, char decimalSeparator = '.');

} // namespace gw
