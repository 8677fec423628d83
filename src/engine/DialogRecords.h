#pragma once

#include "engine/RecordLines.h"

namespace gw {

// The records of the operations started from the take-data dialog, one writer per finisher.
// The TL record's afterglow column is written for the afterglow points in the options.
RecordLines TlDialogRecord(const TDataType& operation, const PointTable& points,
                           const PointLineOptions& options, const DataFileFormat& format);
RecordLines OslDialogRecord(const TDataType& operation, const PointTable& points,
                            const PointLineOptions& options, const DataFileFormat& format);
RecordLines MoslDialogRecord(const TDataType& operation, const PointTable& points,
                             const PointLineOptions& options, const DataFileFormat& format);
RecordLines IrradiationDialogRecord(const TDataType& operation, const DataFileFormat& format);

} // namespace gw
