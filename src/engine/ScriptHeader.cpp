#include "engine/ScriptHeader.h"

#include "engine/RecordLines.h"
#include "script/DeviceList.h"
#include "script/sc_Script.h"

namespace gw {

std::vector<std::string> ScriptHeaderLines(const sc_Script& script,
                                           const std::vector<std::string>& binaryFiles) {
    std::vector<std::string> lines = {"ScriptFile=" + script.fileName,
                                      "ScriptName=" + script.definitionName + script.methodName};
    for (const std::string& file : binaryFiles) {
        lines.push_back("BinaryData=" + file);
    }
    lines.push_back("Sample=" + script.sampleText);
    for (const std::string& info : SplitLines(script.infoText)) {
        lines.push_back("Info=" + info);
    }
    lines.push_back("ReaderID=" + script.profile.SystemID.substr(0, 24));
    lines.push_back("ReaderType=" + ReaderTypeName(script.profile.ReaderType).substr(0, 31));
    if (script.singleAliquot) {
        lines.push_back("SingleAliquot=true");
    }
    return lines;
}

} // namespace gw
