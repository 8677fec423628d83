#pragma once

#include "profile/FileBytes.h"
#include "profile/PackedDate.h"

namespace gw {

class CompatibilityWriter;
class PointTable;
class Prompter;
struct TDataType;
struct sc_Item;
struct sc_Script;

// The script finisher's hand-off to the binary data of its run: the finished step of the disk,
// with the disk's step record built (all profile warnings passed by, as the run has answered them
// before) when the step writes a record. Called after the step's text record is written.
FileError WriteCompatibilityStep(CompatibilityWriter& writer, sc_Script& script, sc_Item& disk,
                                 const TDataType& operation, const PointTable& points,
                                 Prompter& prompter, CivilDate today);

} // namespace gw
