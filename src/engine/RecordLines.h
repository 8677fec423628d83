#pragma once

#include "engine/DataFileFormat.h"
#include "engine/PointTable.h"
#include "engine/TDataType.h"

#include <string>
#include <vector>

namespace gw {

// The pieces every data file record is made of, shared by the dialog and script writers. Lines
// carry no line break; AppendRecord ends each with CR LF.
using RecordLines = std::vector<std::string>;

// What the point lines of a record are made from besides the operation.
struct PointLineOptions {
    int channels = 1;           // counter channels: one value column each
    bool compatibility = false; // "Veltrax compatible": OSL kinds' points start at index 1
    int afterglowPoints = 0;    // the last this many points carry the sample temperature
};

// The device word of the script records ("TL", "ext. lamp", "OSL", "IRSL", "MOSL", "MIRSL",
// "unknown") with the treatment and purpose words in front ("BGD NORM BLEACH OSL"); "Irrad" for
// an irradiation.
std::string ScriptTypeWord(const TDataType& operation);
// The dialog TL record's word: as the script's device word without "ext. lamp" and prefixes.
std::string DialogTlTypeWord(int device);
// The dialog OSL and MOSL records' word; "uknown" for an unlisted device.
std::string DialogOslTypeWord(int device);

// "Title=" and the first line of the info text, then "Info=" and each further line; "Title="
// alone without text. Lines are separated by CR LF (a lone CR or LF counts too).
RecordLines TitleLines(const std::string& infoText);

// "Started=" and "Stopped=" with the record's date-times.
RecordLines TimeLines(const TDataType& operation, const DataFileFormat& format);

// "Points=n" and one line per point: "%3d; %8.3f; " index and X, "%8.3f; " per channel, the
// afterglow points' "%8.0f; " sample temperature, then a blank and "valid" or "invalid".
RecordLines PointLines(const TDataType& operation, const PointTable& points,
                       const PointLineOptions& options, const DataFileFormat& format);

// The preheat lines of a TL: "PreheatType=Stage preheat" or "Wash preheat", "PreheatTemp=",
// "PreheatTime="; none unless the type is 'S' or 'W' and the temperature above 0.
RecordLines PreheatLines(const TDataType& operation);

// The ramp lines of an OSL kind on a ramped device: "MaxPower=", "Increment=" and "TimeOfPoint="
// ("%9.3f" s, or "variable" when the points differ in length).
RecordLines RampLines(const TDataType& operation, const DataFileFormat& format);

} // namespace gw
