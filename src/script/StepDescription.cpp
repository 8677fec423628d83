#include "script/StepDescription.h"

#include "script/ArgumentEvaluation.h"
#include "script/ScriptLexer.h"
#include "script/ScriptNumbers.h"
#include "script/ScriptWords.h"
#include "script/sc_Script.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace gw {

namespace {

constexpr std::size_t MaxPrefixLength = 20;

// The arguments of one command as the description reads them: tokens that may read as numbers.
class DescribedArguments {
public:
    DescribedArguments(std::string_view arguments, char decimalSeparator) {
        std::size_t pos = 1;
        for (std::string token = NextToken(arguments, pos); !token.empty();
             token = NextToken(arguments, pos)) {
            std::replace(token.begin(), token.end(), '.', decimalSeparator);
            texts_.push_back(token);
            std::replace(token.begin(), token.end(), decimalSeparator, '.');
            values_.push_back(ParseScriptReal(token));
        }
    }

    // Argument n (from 1) exists and reads as a number.
    bool Ok(std::size_t n) const { return n >= 1 && n <= values_.size() && values_[n - 1]; }
    bool Positive(std::size_t n) const { return Ok(n) && *values_[n - 1] > 0; }
    double Value(std::size_t n) const { return *values_[n - 1]; }
    const std::string& Text(std::size_t n) const { return texts_[n - 1]; }

private:
    std::vector<std::string> texts_;
    std::vector<std::optional<double>> values_;
};

// Where each piece of the description comes from: the prefix, the command word, its arguments.
struct DescribedCommand {
    std::string prefix;
    std::string word;
    const DescribedArguments& a;
};

void Append(std::string& description, const std::string& piece) {
    if (!description.empty()) {
        description += "; ";
    }
    description += piece;
}

std::string TlPiece(const DescribedCommand& c) {
    std::string piece;
    if (c.a.Positive(2)) {
        piece = "ph " + c.a.Text(2) + "C/";
        if (c.a.Positive(3)) {
            piece += c.a.Text(3) + "s";
        }
    }
    if (c.a.Ok(4)) {
        if (!piece.empty()) {
            piece += " ";
        }
        piece += c.prefix + "TL " + c.a.Text(4) + "C ";
        if (c.a.Ok(1)) {
            piece += c.a.Text(1) + "C/s";
        }
    }
    return TrimBoth(piece).empty() ? std::string() : piece;
}

// The light pieces of OSL, BLEACH and MOSL: name + device, power, "@" and further values, each
// needing the ones before it; the piece ends after the last of `lastArgument`.
std::optional<std::string> LightPiece(const DescribedCommand& c, const std::string& name,
                                      std::size_t lastArgument) {
    if (!c.a.Ok(1)) {
        return std::nullopt;
    }
    std::string piece = name + c.a.Text(1) + " ";
    if (!c.a.Positive(2)) {
        return std::nullopt;
    }
    piece += c.a.Text(2) + "% ";
    if (!c.a.Ok(3)) {
        return std::nullopt;
    }
    piece += "@" + c.a.Text(3) + "/";
    for (std::size_t n = 4; n <= lastArgument; ++n) {
        if (!c.a.Ok(n)) {
            return std::nullopt;
        }
        piece += c.a.Text(n) + (n < lastArgument ? "/" : "");
    }
    return piece;
}

std::optional<std::string> PreheatPiece(const DescribedCommand& c) {
    if (!c.a.Positive(2) || !c.a.Positive(3)) {
        return std::nullopt;
    }
    return "Ph " + c.a.Text(2) + "C/" + c.a.Text(3) + "s";
}

std::optional<std::string> IrradiationPiece(const DescribedCommand& c) {
    constexpr std::array sources{0, 1, 2, 3, 6, 9};
    if (!c.a.Ok(1) || !c.a.Ok(2)) {
        return std::nullopt;
    }
    const int source = RoundToInt(c.a.Value(1));
    if (std::find(sources.begin(), sources.end(), source) == sources.end()) {
        return std::nullopt;
    }
    std::string piece = "Irrad " + IrradiatorCode(source, RoundToInt(c.a.Value(2))) + " ";
    if (!c.a.Ok(3)) {
        return std::nullopt;
    }
    piece += "@" + c.a.Text(3) + "C ";
    if (!c.a.Positive(4)) {
        return std::nullopt;
    }
    return piece + c.a.Text(4) + "Gy";
}

void DescribeCommand(std::string& description, const DescribedCommand& c) {
    if (c.word == "TL") {
        const std::string piece = TlPiece(c);
        if (!piece.empty()) {
            Append(description, piece);
        }
    } else if (c.word == "TLBGD") {
        Append(description, "TLbgd");
    } else if (c.word == "OSL") {
        if (const auto piece = LightPiece(c, "OSL", 6)) {
            Append(description, c.prefix + *piece);
        }
    } else if (c.word == "PREHEAT") {
        if (const auto piece = PreheatPiece(c)) {
            Append(description, *piece);
        }
    } else if (c.word == "BLEACH") {
        if (const auto piece = LightPiece(c, "BL", 4)) {
            Append(description, *piece);
        }
    } else if (c.word == "IRRAD") {
        if (const auto piece = IrradiationPiece(c)) {
            Append(description, *piece);
        }
    } else if (c.word == "MOSL") {
        if (const auto piece = LightPiece(c, "MOSL", 4)) {
            Append(description, c.prefix + " " + *piece);
        }
    } else if (c.word != "DOSL") {
        description += " ??? ";
    }
}

} // namespace

std::string IrradiatorCode(int source, int position) {
    const auto internal = [position](char family) {
        constexpr std::array places{'T', 'L', 'H'};
        const char place = position >= 0 && position <= 2 ? places[std::size_t(position)] : '?';
        return std::string{family, place};
    };
    switch (source) {
    case 0:
        return "eA";
    case 1:
        return "eB";
    case 2:
        return "eG";
    case 3:
        return internal('B');
    case 6:
        return internal('A');
    case 9:
        return internal('X');
    default:
        return "??";
    }
}

std::string DescribeSteps(const sc_Item& disk, char decimalSeparator) {
    std::string description;
    for (const sc_Command& command : disk.commands) {
        std::size_t pos = 1;
        const std::string first = NextToken(command.name, pos);
        DescribedArguments arguments(command.arguments, decimalSeparator);
        if (IsModifier(first)) {
            const std::string prefix = (first + " ").substr(0, MaxPrefixLength);
            DescribeCommand(description, {prefix, NextToken(command.name, pos), arguments});
        } else {
            DescribeCommand(description, {" ", first, arguments});
        }
    }
    return description;
}

void DescribeDisks(sc_Script& script, char decimalSeparator) {
    for (sc_Item& disk : script.Disks().disks) {
        disk.text = DescribeSteps(disk, decimalSeparator);
    }
}

} // namespace gw
