#pragma once

#include "engine/RecordLines.h"

namespace gw {

// The record of one script step, as FinishScript writes it: sample and disk, the type word, the
// temperature, the parameters of the kind, the start and stop times and, for kinds 1 to 4, the
// points. A bleach with an external lamp measures nothing: it has "Points=0" and no point lines.
RecordLines ScriptRecordLines(const TDataType& operation, const PointTable& points,
                              const PointLineOptions& options, const DataFileFormat& format);

} // namespace gw
