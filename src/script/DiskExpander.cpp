#include "script/DiskExpander.h"

#include "core/Prompter.h"
#include "script/ArgumentEvaluation.h"
#include "script/ScriptLexer.h"
#include "script/ScriptNumbers.h"
#include "script/sc_Script.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

namespace gw {

namespace {

constexpr int ThirtyFiveFifty = 3;
constexpr int InternalBetaSource = 3;
const char* const CrLf = "\r\n";

std::vector<std::string> Tokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t pos = 1;
    for (std::string token = NextToken(text, pos); !token.empty(); token = NextToken(text, pos)) {
        tokens.push_back(token);
    }
    return tokens;
}

// The command word (the last token of the name) and whether a NORM modifier stands before it.
struct CommandName {
    std::string word;
    bool normalization = false;
};

CommandName NameOf(const sc_Command& command) {
    CommandName name;
    for (const std::string& token : Tokens(command.name)) {
        name.normalization = name.normalization || token == "NORM";
        name.word = token;
    }
    return name;
}

std::string RightAligned3(int number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%3d", number);
    return buffer;
}

std::string Place(const std::pair<int, int>& place) {
    return std::to_string(place.first) + "/" + std::to_string(place.second);
}

} // namespace

int PositionsPerPlatter(int readerType) {
    switch (readerType) {
    case 2:
        return 20;
    case 3:
        return 57;
    case 4:
        return 60;
    default:
        return 1;
    }
}

void ExpandDisks(sc_Script& script, Prompter& prompter, DiskPlacementTrace* trace) {
    DiskExpander(script, prompter).Expand(trace);
}

DiskExpander::DiskExpander(sc_Script& script, Prompter& prompter)
    : script_(script), prompter_(prompter),
      perPlatter_(PositionsPerPlatter(script.profile.ReaderType)),
      modulus_(script.profile.ReaderType == ThirtyFiveFifty ? 60 : perPlatter_) {}

void DiskExpander::Expand(DiskPlacementTrace* trace) {
    std::vector<AcceptedPosition> accepted;
    const bool listed = ReadPositions(accepted);
    const std::size_t diskCount = script_.Disks().disks.Size();
    if (listed && accepted.size() >= diskCount) {
        PlaceFromList(accepted);
        return;
    }
    if (!accepted.empty() &&
        prompter_.warn(" Too few positions in POSITIONS ", true, false) != WarningResult::Ignore) {
        script_.error = true;
        script_.errorMessage.clear();
        return;
    }
    if (diskCount > std::size_t(perPlatter_) && !script_.singleAliquot) {
        GroupNaturalDisks();
    }
    NumberAutomatically();
    const bool doseSorted = (script_.sortMode & 1) != 0 && (perPlatter_ == 20 || perPlatter_ == 60);
    if (doseSorted) {
        SortByDose();
    }
    if (script_.sortMode != 0 && trace != nullptr) {
        WriteTrace(*trace, doseSorted);
    }
}

bool DiskExpander::ReadPositions(std::vector<AcceptedPosition>& accepted) {
    sc_List* positions = script_.lists.FindNode("POSITIONS");
    if (positions == nullptr) {
        return false;
    }
    positions->used = false;
    std::set<int> seen;
    for (const sc_Variable& element : positions->elements) {
        // An entry that is not a number names no position and is skipped like a repeated one.
        const std::optional<double> value = ParseScriptReal(element.value);
        if (!value) {
            continue;
        }
        const int candidate = RoundToInt(*value);
        const bool usable = candidate >= 0 &&
                            !(script_.profile.ReaderType == ThirtyFiveFifty && candidate % 20 == 0);
        if (usable && seen.insert(candidate).second) {
            accepted.push_back({candidate, element.text});
        }
    }
    return true;
}

void DiskExpander::PlaceFromList(const std::vector<AcceptedPosition>& accepted) {
    script_.lists.FindNode("POSITIONS")->used = true;
    auto position = accepted.begin();
    for (sc_Item& disk : script_.Disks().disks) {
        disk.platter = position->position / modulus_;
        disk.position = position->position % modulus_;
        disk.label = position->label;
        disk.runCursor = disk.commands.begin();
        ++position;
    }
}

double DiskExpander::Argument(const std::string& arguments, int index) {
    const std::vector<std::string> tokens = Tokens(arguments);
    if (index >= int(tokens.size())) {
        return 0.0;
    }
    const ArgumentValue value = EvaluateArgument(tokens[index], script_.variables, prompter_);
    return value.ok ? value.value : 0.0;
}

bool DiskExpander::IsNatural(const sc_Item& disk) {
    for (const sc_Command& command : disk.commands) {
        const CommandName name = NameOf(command);
        const bool doses = (name.word == "IRRAD" && !name.normalization) || name.word == "BLEACH";
        if (doses && Argument(command.arguments, 3) > 0) {
            return false;
        }
    }
    return true;
}

void DiskExpander::GroupNaturalDisks() {
    std::list<sc_Item>& disks = script_.Disks().disks.Nodes();
    std::list<sc_Item> natural;
    for (auto it = disks.begin(); it != disks.end();) {
        const auto next = std::next(it);
        if (IsNatural(*it)) {
            natural.splice(natural.end(), disks, it);
        }
        it = next;
    }
    const std::size_t d = std::size_t(perPlatter_);
    const std::size_t platters = (natural.size() + disks.size() + d - 1) / d;
    for (std::size_t f = 0; f < platters && !natural.empty(); ++f) {
        const std::size_t remaining = platters - f;
        const std::size_t take = (natural.size() + remaining - 1) / remaining;
        auto insertion = disks.begin();
        std::advance(insertion, std::min(f * d, disks.size()));
        auto from = natural.end();
        std::advance(from, -std::ptrdiff_t(take));
        disks.splice(insertion, natural, from, natural.end());
    }
}

void DiskExpander::NumberAutomatically() {
    int n = 0;
    for (sc_Item& disk : script_.Disks().disks) {
        ++n;
        disk.number = n;
        disk.text = "Disk#" + std::to_string(n);
        disk.runCursor = disk.commands.begin();
        disk.platter = (n - 1) / perPlatter_;
        int position = (n - 1) % perPlatter_;
        if (script_.profile.ReaderType == ThirtyFiveFifty) {
            // The 3550 numbers its positions from 1 and has none at 20 and 40.
            ++position;
            position += position >= 20 ? 1 : 0;
            position += position >= 40 ? 1 : 0;
        }
        disk.position = position;
    }
}

double DiskExpander::DoseOf(const sc_Item& disk) {
    for (const sc_Command& command : disk.commands) {
        const CommandName name = NameOf(command);
        if (name.word != "IRRAD" || name.normalization) {
            continue;
        }
        if (Argument(command.arguments, 0) != InternalBetaSource) {
            continue;
        }
        const double dose = Argument(command.arguments, 3);
        if (dose > 0) {
            return dose;
        }
    }
    return 0.0;
}

void DiskExpander::SortByDose() {
    std::vector<sc_Item*> disks;
    std::vector<double> doses;
    for (sc_Item& disk : script_.Disks().disks) {
        disks.push_back(&disk);
        doses.push_back(DoseOf(disk));
    }
    std::vector<std::size_t> order(disks.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    // Increasing dose; disks of equal dose keep their list order.
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return doses[a] < doses[b]; });
    const int half = perPlatter_ / 2;
    int platter = 0;
    int slot = 0;
    for (std::size_t i : order) {
        disks[i]->platter = platter;
        disks[i]->position = slot;
        if (slot < half) {
            slot = perPlatter_ - slot - 1;
        } else if (slot > half) {
            slot = perPlatter_ - slot;
        } else {
            slot = 0;
            ++platter;
        }
    }
}

std::string DiskExpander::TraceText(const std::vector<std::pair<int, int>>& listed,
                                    const std::vector<std::pair<int, int>>& sorted,
                                    bool doseSorted) {
    std::string text;
    if (doseSorted) {
        for (std::size_t i = 0; i < listed.size(); ++i) {
            text += RightAligned3(int(i) + 1) + ": " + Place(listed[i]) + CrLf;
        }
        text += CrLf;
    }
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        text += RightAligned3(int(k) + 1) + "  " + Place(sorted[k]) + CrLf;
    }
    return text;
}

void DiskExpander::WriteTrace(DiskPlacementTrace& trace, bool doseSorted) {
    std::vector<std::pair<int, int>> listed;
    std::vector<std::pair<int, int>> sorted;
    for (const sc_Item& disk : script_.Disks().disks) {
        listed.emplace_back(disk.platter, disk.position);
        sorted.push_back(doseSorted ? std::pair{disk.platter, disk.position} : std::pair{0, 0});
    }
    std::ofstream out(trace.file, std::ios::binary | std::ios::trunc);
    out << TraceText(listed, sorted, doseSorted);
    out.flush();
    trace.written = bool(out);
    if (!trace.written) {
        trace.error = "cannot write the placement trace " + trace.file.string();
    }
}

} // namespace gw
