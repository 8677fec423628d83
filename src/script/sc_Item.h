#pragma once

#include "script/sc_Sequence.h"

#include <string>

namespace gw {

// One disk of the run list DISKS: its own commands, where it sits, and the bookkeeping of the run
// and of the step record builder. The cursors point into the disk's own commands (End() is none),
// so a disk never moves or is copied once made.
struct sc_Item : sc_Sequence {
    using CommandIterator = sc_Chain<sc_Command>::Iterator;

    // commands.Cursor() is the working cursor.
    CommandIterator recordWorkingCursor;
    CommandIterator runCursor;
    CommandIterator recordCursor;
    int number = -1;
    int platter = -1;
    int position = -1;
    std::string label;
    double exposure = 0; // minutes, noted while the run prepares commands
    bool irradiated = false;
    bool exposed = false;
    bool heated = false;
    bool hot = false;
    double recordExposure = 0;
    bool recordExposed = false;
    bool recordHot = false;

    explicit sc_Item(std::string_view diskName)
        : sc_Sequence(diskName), recordWorkingCursor(commands.End()), runCursor(commands.End()),
          recordCursor(commands.End()) {}
    sc_Item(const sc_Item&) = delete;
    sc_Item& operator=(const sc_Item&) = delete;
    sc_Item(sc_Item&&) = delete;
    sc_Item& operator=(sc_Item&&) = delete;
    ~sc_Item() = default;
};

} // namespace gw
