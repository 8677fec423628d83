#include "engine/ScriptHeader.h"

#include "script/DeviceList.h"
#include "script/sc_Script.h"

namespace gw {

namespace {

// The info text's lines; a lone CR or LF ends a line as CR LF does.
std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::vector<std::string> ScriptHeaderLines(const sc_Script& script,
                                           const std::vector<std::string>& binaryFiles) {
    std::vector<std::string> lines = {"ScriptFile=" + script.fileName,
                                      "ScriptName=" + script.definitionName + script.methodName};
    for (const std::string& file : binaryFiles) {
        lines.push_back("BinaryData=" + file);
    }
    lines.push_back("Sample=" + script.sampleText);
    for (const std::string& info : textLines(script.infoText)) {
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
