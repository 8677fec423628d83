#pragma once

#include "engine/TakeDataValues.h"

#include <string>
#include <vector>

namespace gw::tool {

// The sheet fields `gwtool take` sets from NAME=VALUE, named by the record field they fill
// (Temperature, RampRate, ...) and, for the check boxes, preheat=, os=, afterglow=, arm= with
// on or off.
struct TakeFieldName {
    const char* name;
    const char* meaning;
};

// The names a sheet takes, for --help.
const std::vector<TakeFieldName>& TakeFieldNames(TakeDataSheet sheet);

// Sets the field; false with the reason when the name is not one of the sheet's or the value is
// not a number (or on/off) of the field's kind. Limits are the dialog's check, made at OK.
bool SetTakeField(TakeDataValues& values, const std::string& name, const std::string& value,
                  std::string& error);

} // namespace gw::tool
