#include "engine/ScriptStepCommands.h"

#include "core/SystemTypeNames.h"
#include "engine/DeviceCode.h"
#include "link/CommandBuilder.h"

namespace gw {

namespace {

Command raw(const char* name, std::string text) {
    return Command{name, std::move(text)};
}

std::string treatmentWord(OperationKind kind) {
    switch (kind) {
    case OperationKind::TL:
        return "preheat ";
    case OperationKind::OSL:
        return "bleach ";
    case OperationKind::LMOSL:
    case OperationKind::VMOSL:
        return "preshine ";
    default:
        return "";
    }
}

} // namespace

bool IsExternalStep(const TDataType& step) {
    if (step.Kind == OperationKind::OSL) {
        return IsExternalLamp(step.Device);
    }
    return step.Kind == OperationKind::Irradiation &&
           (step.Source == 'A' || step.Source == 'B' || step.Source == 'G');
}

std::vector<Command> ScriptPreCommands(const TDataType& step, int systemType) {
    std::vector<Command> commands;
    if (IsExternalStep(step)) {
        return commands;
    }
    const bool is6600 = systemType == System6600;
    if (step.Kind == OperationKind::TL || step.Kind == OperationKind::Irradiation) {
        if (is6600) {
            commands.push_back(CommandBuilder::NormalAfterglowInterval());
        }
        return commands;
    }
    if (!IsOslKind(step.Kind)) {
        return commands;
    }
    if (is6600) {
        std::string text = "B";
        for (std::size_t i = 0; i < 4; ++i) {
            text += std::to_string(step.X[i]) + " " + std::to_string(step.Y[i]) + " ";
        }
        commands.push_back(raw("SetTimeBase", text));
    }
    std::string points = "X";
    for (std::size_t i = 0; i < 4; ++i) {
        points += std::to_string(step.N[i]) + " ";
    }
    commands.push_back(raw("SetSegmentPoints", points));
    return commands;
}

std::optional<Command> ScriptEndCommand(const TDataType& step, const StepClosingFacts& facts) {
    const bool irradiation = step.Kind == OperationKind::Irradiation;
    if (step.UseHoles != 0 && !facts.runEnds && !facts.diskChanges) {
        return std::nullopt;
    }
    StepClosing closing = StepClosing::HeaterAndPurgeOff;
    if (irradiation) {
        closing = facts.systemType == System6600 ? StepClosing::HeaterAndVacuumOff
                                                 : StepClosing::HeaterOff;
    } else if (step.UseHoles != 0) {
        closing = StepClosing::MoveBackAndHeaterOff;
    }
    return CommandBuilder::AfterScriptStep(closing, facts.purgeWanted);
}

std::string StepWords(const TDataType& step) {
    std::string words =
        step.Kind == OperationKind::Irradiation ? "IRRAD" : MeasurementKindName(step.Kind);
    if (step.isTreatment()) {
        words = treatmentWord(step.Kind) + words;
    }
    if (step.isNormalization()) {
        words = "normalization " + words;
    }
    if (step.isBackground()) {
        words = "background " + words;
    }
    return words;
}

} // namespace gw
