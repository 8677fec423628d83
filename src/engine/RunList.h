#pragma once

#include <vector>

namespace gw {

struct sc_Item;

// One step of a script run: the disk whose next command it carries out, and which command of the
// disk that is (0 based), as the dry run found it.
struct RunStep {
    sc_Item* disk = nullptr;
    int command = 0;
    int platter = 0; // the platter the disk's placement gave it
};

// The steps of one platter in run order.
using TPlatter = std::vector<RunStep>;
// The run list: the platters in run order. A platter without steps is never part of it.
using TCharge = std::vector<TPlatter>;

} // namespace gw
