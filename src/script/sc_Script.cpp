#include "script/sc_Script.h"

#include <utility>

namespace gw {

void sc_Script::SetError(std::string message) {
    error = true;
    errorMessage = std::move(message);
}

void sc_Script::SetErrorKeepingMessage(std::string message) {
    error = true;
    if (errorMessage.empty()) {
        errorMessage = std::move(message);
    }
}

void sc_Script::ClearError() {
    error = false;
    errorMessage.clear();
}

std::unique_ptr<sc_Script> CreateScript(std::string_view text, std::string_view fileName,
                                        const SystemProfile& profile) {
    auto script = std::make_unique<sc_Script>();
    script->fileName = fileName;
    script->profile = profile;
    script->devices = DeviceList::Build(script->profile);
    if (auto loadError = script->text.LoadText(text)) {
        script->SetError(std::move(*loadError));
    }
    script->lists.Emplace("DISKS", "Global list of disks");
    return script;
}

std::string TemplateNameOf(const sc_Script& script) {
    return !script.isTemplate  ? std::string()
           : script.definition ? script.definitionName
                               : script.methodName;
}

} // namespace gw
