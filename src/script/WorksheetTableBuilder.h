#pragma once

#include "script/StepRecordBuilder.h"
#include "script/WorksheetTables.h"

#include <string>

namespace gw {

struct sc_Item;
struct sc_Script;

// What building the tables gave: the number of step records, or why it stopped.
struct WorksheetTablesResult {
    bool ok = true;
    int stepRecords = 0;
    std::string message; // names the disk and the irradiator when a record cannot be built
};

// Fills empty tables from a freshly compiled script: every disk's text becomes its step
// description, every disk's step records are built from its first command and sorted into the
// tables, groups and platters. The script is not fit for a run afterwards. Tables that are not
// empty are left as they are.
WorksheetTablesResult BuildWorksheetTables(sc_Script& script, WorksheetTables& tables,
                                           StepRecordContext& context, char decimalSeparator = '.');

// Sorts one step record of the disk into the tables.
class WorksheetTableBuilder {
public:
    WorksheetTableBuilder(sc_Script& script, WorksheetTables& tables)
        : script_(script), tables_(tables) {}

    void Add(const sc_Item& disk, const StepRecord& record);

private:
    const ws_Measurement* Measurement(const StepRecord& record);
    const ws_Bleaching* Bleaching(const StepRecord& record);
    const ws_Preheat* Preheat(const StepRecord& record);
    ws_Irradiation Irradiation(const StepRecord& record);
    ws_Group& Group(const sc_Item& disk, const StepRecord& record);

    sc_Script& script_;
    WorksheetTables& tables_;
};

} // namespace gw
