#pragma once

#include "profile/SystemProfile.h"
#include "script/DeviceList.h"
#include "script/sc_List.h"
#include "script/sc_Sequence.h"
#include "script/sc_Table.h"
#include "script/sc_Text.h"
#include "script/sc_Variable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace gw {

// A compiled measurement script: its header data, its tables and its run list DISKS. Made by
// CreateScript, filled by CompileScript; the editor owns it, runs and listings only read it.
// Members are destroyed in reverse order: device list, sequences, master sequence, variables,
// lists, text.
struct sc_Script {
    bool definition = false;
    bool isTemplate = false;
    bool inGlobal = false;
    bool inSequence = false;
    bool inMethod = false;
    bool singleAliquot = false;
    bool useScanner = false;
    std::uint8_t diskMode = 1;  // 1 DISK_MODE, 0 BATCH_MODE
    bool done = false;          // the method body ended without error
    std::uint16_t sortMode = 0; // 0 NO_SORT, 1 SORT_BY_DOSE, 32 RANDOM_SORT
    std::string definitionName;
    std::string methodName;
    std::string fileName;
    std::string openText;
    std::string sampleText;
    std::string infoText; // INFO texts joined by CR LF

    sc_Text text;
    sc_Table<sc_List> lists{"Global list", ""};
    sc_Table<sc_Variable> variables{"Global variables", "Declared variables"};
    sc_Sequence master{"Master sequence", "List of commands used by the template"};
    sc_Table<sc_Sequence> sequences{"Global sequences", "Declared sequences"};

    bool error = false;
    std::string errorMessage; // begins and ends with a blank
    std::uint8_t commandFlags = 0;
    int diskCount = 2; // disks made by a LOOP DISKS without a count
    SystemProfile profile;
    double timeEstimate = 0; // seconds, written when a run is prepared
    DeviceList devices;      // built from the profile copy

    // The run list: always the first list of the lists table.
    sc_List& Disks() { return *lists.First(); }
    const sc_List& Disks() const { return *lists.First(); }

    // Records an error: sets the flag and replaces the message.
    void SetError(std::string message);
    // Sets the flag; gives the message only when none is set yet.
    void SetErrorKeepingMessage(std::string message);
    void ClearError();
};

// The name a template script gives its worksheets: the quoted name of its header; empty for a
// script that does not declare TEMPLATE.
std::string TemplateNameOf(const sc_Script& script);

// A new script for the editor's text: disk mode 1, sort mode 0, disk count 2, the profile copied,
// the text loaded (a loading error is recorded in the error flag and message), the lists table
// holding DISKS, and empty variables, master sequence and sequences.
std::unique_ptr<sc_Script> CreateScript(std::string_view text, std::string_view fileName,
                                        const SystemProfile& profile);

} // namespace gw
