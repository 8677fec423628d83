#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace gw {

class Prompter;
struct sc_Item;
struct sc_Script;

// Where the placement trace "testpos.txt" goes, and how writing it went. The trace is written
// only for a caller that names its file, never into whatever directory happens to be current.
struct DiskPlacementTrace {
    std::filesystem::path file;
    bool written = false;
    std::string error; // why the file could not be written
};

// Positions on one platter of the reader type: 20 (3500), 57 (3550), 60 (6600), else 1.
int PositionsPerPlatter(int readerType);

// Gives every disk of the run list its platter and position: from the script's POSITIONS list
// when it names enough positions, otherwise automatically (natural disks grouped at the start of
// the platters, disks numbered in list order, optionally sorted by dose). Sets the script's error
// flag, with an empty message, when the operator aborts at the too-few-positions warning.
void ExpandDisks(sc_Script& script, Prompter& prompter, DiskPlacementTrace* trace = nullptr);

// One run of ExpandDisks.
class DiskExpander {
public:
    DiskExpander(sc_Script& script, Prompter& prompter);

    void Expand(DiskPlacementTrace* trace);

    // The trace text: after a dose sort each disk's number and place in list order and an empty
    // line, then for every disk k its number and the place the dose sort gave it (0/0 unsorted).
    static std::string TraceText(const std::vector<std::pair<int, int>>& listed,
                                 const std::vector<std::pair<int, int>>& sorted, bool doseSorted);

private:
    struct AcceptedPosition {
        int position = 0;
        std::string label;
    };

    // Empty without a POSITIONS list; the positions it names that the reader can use, in order.
    bool ReadPositions(std::vector<AcceptedPosition>& accepted);
    void PlaceFromList(const std::vector<AcceptedPosition>& accepted);
    bool IsNatural(const sc_Item& disk);
    void GroupNaturalDisks();
    void NumberAutomatically();
    // Places the disks by increasing internal-beta dose in the zig-zag order of the slots.
    void SortByDose();
    double DoseOf(const sc_Item& disk);
    double Argument(const std::string& arguments, int index);
    void WriteTrace(DiskPlacementTrace& trace, bool doseSorted);

    sc_Script& script_;
    Prompter& prompter_;
    int perPlatter_ = 1;
    int modulus_ = 1;
};

} // namespace gw
