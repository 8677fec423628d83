#include "script/ScriptCompiler.h"

#include "script/LoopExpander.h"
#include "script/ScriptLexer.h"
#include "script/ScriptNumbers.h"
#include "script/ScriptValues.h"
#include "script/sc_Script.h"

namespace gw {

namespace {

constexpr std::string_view ArgumentMarks = "#&*-=?";

bool HasBlankOrTab(std::string_view text) {
    return text.find(' ') != std::string_view::npos || text.find('\t') != std::string_view::npos;
}

} // namespace

ScriptCompiler::ScriptCompiler(sc_Script& script, Prompter& prompter, ScriptLimits limits)
    : script_(script), prompter_(prompter), limits_(limits) {}

void ScriptCompiler::Compile() {
    sc_Script& s = script_;
    s.done = s.definition = s.isTemplate = false;
    s.inGlobal = s.inSequence = s.inMethod = false;
    s.singleAliquot = s.useScanner = false;
    s.sortMode = 0;
    s.commandFlags = 0;
    if (s.error) {
        return; // the text did not load
    }
    while (!s.text.AtEnd()) {
        const std::string line = s.text.ReadLine();
        if (FirstToken(line) == "METHOD") {
            ReadHeader(line);
            ReadTopLevel();
            return;
        }
    }
}

void ScriptCompiler::ReadHeader(const std::string& line) {
    script_.definition = line.find("DEFINITION") != std::string::npos;
    script_.isTemplate = line.find("TEMPLATE") != std::string::npos;
    (script_.definition ? script_.definitionName : script_.methodName) = QuotedText(line);
}

void ScriptCompiler::ReadTopLevel() {
    sc_Text& text = script_.text;
    while (!script_.done && !script_.error && !text.AtEnd()) {
        const std::string line = text.ReadLine();
        if (text.AtEnd()) {
            break; // the line read last is never dispatched
        }
        const std::string word = FirstToken(line);
        if (IsReservedWord(word)) {
            DispatchTopLevel(word, line);
        }
    }
}

void ScriptCompiler::DispatchTopLevel(const std::string& word, const std::string& line) {
    if (word == "GLOBAL") {
        ReadGlobalBlock();
    } else if (word == "SEQUENCE") {
        ReadSequenceBlock();
    } else if (word == "METHOD") {
        ReadMethodBody(line);
    } else if (word == "OPEN") {
        script_.openText = QuotedText(line);
    } else if (word == "INFO") {
        ReadInfo(line);
    } else if (word == "END") {
        // no effect
    } else if (word == "SAMPLE" || word == "SCRIPT" || word == "METASCRIPT") {
        script_.SetError(" Unknown keyword " + word + " ");
    } else {
        script_.SetError(" Unexpected keyword " + word + " ");
    }
}

void ScriptCompiler::ReadInfo(const std::string& line) {
    const std::optional<std::string> info = script_.text.LongQuotedText(line);
    if (!info) {
        script_.SetError(" Closing '\"' of INFO text not found ");
        return;
    }
    if (!script_.infoText.empty()) {
        script_.infoText += "\r\n";
    }
    script_.infoText += *info;
}

// ---- GLOBAL ----

void ScriptCompiler::ReadGlobalBlock() {
    sc_Script& s = script_;
    s.inGlobal = true;
    std::string line;
    do {
        if (s.text.AtEnd()) {
            break;
        }
        line = s.text.ReadLine();
        const Assignment assignment = ReadAssignment(line);
        if (assignment.fatal) {
            break;
        }
        if (assignment.rejected) {
            if (ContainsWord("LIST", assignment.name)) {
                s.ClearError();
                DeclareList(assignment.name, assignment.value);
            } else if (ContainsWord("END GLOBAL", line)) {
                s.ClearError();
                break;
            } else {
                s.SetError(" Expected END GLOBAL ");
            }
        } else if (s.variables.FindNode(assignment.name) != nullptr) {
            s.SetError(" Redeclared identifier " + assignment.name + " ");
        } else {
            SetVariableValue(s.variables.Emplace(assignment.name), assignment.value);
        }
    } while (!s.error && !ContainsWord("END GLOBAL", line));
    s.inGlobal = false;
    if (s.text.AtEnd() || s.error) {
        s.SetErrorKeepingMessage(" Not found END GLOBAL ");
    }
}

ScriptCompiler::Assignment ScriptCompiler::ReadAssignment(const std::string& line) {
    Assignment result;
    const std::string trimmed = TrimLeft(line);
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos) {
        script_.SetError(" Missing '=' sign ");
        result.rejected = true;
        return result;
    }
    result.name = TrimRight(CutName(std::string_view(trimmed).substr(0, equals)));
    if (result.name.empty()) {
        script_.SetError(" Invalid or missing identifier ");
        result.rejected = true;
        return result;
    }
    std::string value = trimmed.substr(equals + 1);
    while (CountChar(value, '(') != CountChar(value, ')')) {
        // Parentheses that never balance would otherwise keep appending empty lines at the end.
        if (script_.text.AtEnd()) {
            script_.SetError(" Unbalanced parentheses in value of " + result.name + " ");
            result.rejected = result.fatal = true;
            return result;
        }
        value += TrimLeft(script_.text.ReadLine());
    }
    value = TrimBoth(value);
    result.value = value.empty() ? "?" : value;
    if (HasBlankOrTab(result.name) || result.value.find('=') != std::string::npos) {
        script_.SetError(" Invalid or missing identifier ");
        result.rejected = true;
    }
    return result;
}

void ScriptCompiler::DeclareList(const std::string& namePart, const std::string& value) {
    std::string name = namePart;
    name.erase(name.find("LIST"), 4);
    name = TrimBoth(name);
    sc_List& list = script_.lists.Emplace(name);
    list.text = ("List of " + name).substr(0, 28);
    if (list.name == "DISKS") {
        return; // a plain list; lookups find the run list first
    }
    std::size_t pos = 1;
    for (std::string token = NextToken(value, pos); !token.empty(); token = NextToken(value, pos)) {
        sc_Variable& element = list.elements.Emplace(list.name);
        std::string valueText = token;
        const std::size_t quote = token.find('"');
        if (quote != std::string::npos) {
            valueText = token.substr(0, quote);
            element.text = token.substr(quote + 1);
            if (!element.text.empty() && element.text.back() == '"') {
                element.text.pop_back();
            }
        }
        SetVariableValue(element, valueText);
        list.hasValues = list.hasValues || element.hasValue;
    }
    list.elements.SetCursor(list.elements.begin());
}

// ---- SEQUENCE ----

void ScriptCompiler::ReadSequenceBlock() {
    sc_Script& s = script_;
    s.inSequence = true;
    while (!s.text.AtEnd()) {
        const std::string line = s.text.ReadLine();
        std::string name;
        if (ReadSequenceName(line, name)) {
            if (s.sequences.FindNode(name) != nullptr) {
                s.SetError(" Redeclared identifier " + name + " ");
            } else {
                ReadSequenceDefinition();
            }
        }
        if (ContainsWord("END SEQUENCE", line)) {
            if (s.error) {
                s.ClearError(); // the closing line has no '='
            }
            break;
        }
        if (s.error) {
            break;
        }
    }
    s.inSequence = false;
    if (s.text.AtEnd()) {
        s.SetErrorKeepingMessage(" Not found END SEQUENCE ");
    }
}

bool ScriptCompiler::ReadSequenceName(const std::string& line, std::string& name) {
    const std::string trimmed = TrimLeft(line);
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos) {
        script_.SetError(" Missing '=' sign ");
        return false;
    }
    name = TrimRight(CutName(std::string_view(trimmed).substr(0, equals)));
    if (name.empty() || HasBlankOrTab(name)) {
        script_.SetError(" Invalid or missing identifier ");
        return false;
    }
    return true;
}

void ScriptCompiler::ReadSequenceDefinition() {
    sc_Text& text = script_.text;
    const std::string_view buffer = text.Buffer();
    const std::size_t start = text.LineStart();
    // The definition runs to the ')' that balances its first '(' (or to the end of the text).
    std::size_t end = buffer.size();
    long depth = 0;
    bool opened = false;
    for (std::size_t i = start; i < buffer.size(); ++i) {
        if (buffer[i] == '(') {
            opened = true;
            ++depth;
        } else if (buffer[i] == ')' && opened && --depth == 0) {
            end = i + 1;
            break;
        }
    }
    sc_Text definition;
    definition.LoadPart(buffer.substr(start, end - start), text.Origin() + start);
    definition.SetPositionSink(text.PositionSink());
    text.Rewind(end);
    text.SkipChars("\t\r\n ,");
    ParseSequenceDefinition(definition);
}

void ScriptCompiler::ParseSequenceDefinition(sc_Text& definition) {
    sc_Script& s = script_;
    const std::string first = definition.ReadLine();
    const std::size_t equals = first.find('=');
    if (equals == std::string::npos) {
        s.SetError(" Missing '=' sign "); // a '(' before the '=' closed the definition early
        return;
    }
    const std::string namePart = TrimLeft(std::string_view(first).substr(0, equals));
    if (namePart.size() > MaxNameLength) {
        s.SetError(" Sequence name longer than 20 characters " + TrimRight(namePart) + " ");
        return;
    }
    sc_Sequence sequence(TrimBoth(namePart));
    const std::size_t open = first.find('(', equals + 1);
    if (open != std::string::npos) {
        std::string working = TrimBoth(std::string_view(first).substr(open + 1));
        for (;;) {
            if (working.empty()) {
                if (definition.AtEnd()) {
                    s.SetError(" Unexpected end of script ");
                    return;
                }
                working = definition.ReadLine();
            }
            working = TrimBoth(working);
            if (working.empty()) {
                s.SetError(" Unexpected end of script ");
                return;
            }
            if (working == ")") {
                break; // the closing parenthesis on a line of its own
            }
            std::size_t pos = 1;
            std::size_t tokenStart = 0;
            std::string token = NextToken(working, pos, tokenStart);
            std::string prefix;
            if (IsModifier(token)) {
                prefix = token + " ";
                token = NextToken(working, pos, tokenStart);
            }
            if (IsCommandWord(token)) {
                working.erase(0, tokenStart + token.size());
                // A command without arguments right before the closing parenthesis has no group;
                // taking one would swallow the parenthesis that ends the definition.
                const bool closesHere = TrimLeft(working).starts_with(')');
                const std::string group = closesHere ? std::string() : TakeGroup(working);
                AddCommand(sequence, prefix + token, group, false);
            } else if (const sc_Sequence* known = s.sequences.FindNode(token)) {
                CopySequence(sequence, *known, prefix, false);
                working.erase(0, std::min(pos - 1, working.size()));
            } else {
                s.SetError(" Unknown identefier " + token + " ");
            }
            if (s.error) {
                return;
            }
            working = TrimBoth(working);
            if (working == ")") {
                break;
            }
        }
    }
    s.sequences.Emplace(std::move(sequence));
}

// ---- Commands ----

void ScriptCompiler::AddCommand(sc_Sequence& target, std::string_view name, std::string_view group,
                                bool substitute) {
    std::size_t pos = 1;
    const std::string first = NextToken(name, pos);
    std::string prefix;
    std::string word = TrimBoth(name);
    if (IsModifier(first)) {
        prefix = first + " ";
        word = TrimBoth(name.substr(std::min(pos - 1, name.size())));
    }
    const int expected = CommandArgumentCount(word);
    const int actual = CountTokens(group);
    if (actual != expected) {
        script_.SetError(actual > expected ? " Too many arguments " : " Too few arguments ");
        return;
    }
    if (!CheckArguments(group) || !CountCommand()) {
        return;
    }
    sc_Command& command = target.commands.Emplace(prefix + word, group);
    if (substitute) {
        SubstituteArguments(script_, command, prompter_);
    }
}

bool ScriptCompiler::CheckArguments(std::string_view group) {
    std::size_t pos = 1;
    for (std::string token = NextToken(group, pos); !token.empty(); token = NextToken(group, pos)) {
        const std::size_t restStart = token.find_first_not_of(ArgumentMarks);
        if (restStart == std::string::npos) {
            return true; // an empty rest ends the check
        }
        const bool ampersand = token.find('&') < restStart;
        const std::string rest = token.substr(restStart);
        const bool accepted = ParseScriptReal(rest).has_value() ||
                              script_.variables.FindNode(rest) != nullptr ||
                              (ampersand && script_.lists.FindNode(rest) != nullptr);
        if (!accepted) {
            script_.SetError(" Invalid argument " + token);
            return false;
        }
    }
    return true;
}

void ScriptCompiler::CopySequence(sc_Sequence& target, const sc_Sequence& source,
                                  std::string_view prefix, bool substitute) {
    const std::string trimmedPrefix = TrimBoth(prefix);
    for (const sc_Command& original : source.commands) {
        if (!CountCommand()) {
            return;
        }
        const std::string name =
            trimmedPrefix.empty() ? original.name : trimmedPrefix + " " + original.name;
        sc_Command& copy = target.commands.Emplace(name, original.arguments, original.text);
        if (substitute) {
            SubstituteArguments(script_, copy, prompter_);
        }
    }
}

bool ScriptCompiler::CountCommand() {
    if (++commandsMade_ > limits_.maxCommands) {
        script_.SetError(" Script makes more than " + std::to_string(limits_.maxCommands) +
                         " commands ");
        return false;
    }
    return true;
}

bool ScriptCompiler::CountBodyLine() {
    if (++bodyLinesRead_ > limits_.maxBodyLines) {
        script_.SetError(" Loops repeat more than " + std::to_string(limits_.maxBodyLines) +
                         " lines ");
        return false;
    }
    return true;
}

// ---- Method body ----

void ScriptCompiler::ReadMethodBody(const std::string& methodLine) {
    sc_Script& s = script_;
    s.inMethod = true;
    s.singleAliquot = methodLine.find("SINGLE_ALIQUOT") != std::string::npos;
    s.useScanner = methodLine.find("USE_SCANNER") != std::string::npos;
    sc_List& disks = s.Disks();
    disks.disks.Clear();
    disks.count = 0;
    disks.used = false;
    s.errorMessage.clear();
    while (!s.error) {
        if (s.text.AtEnd()) {
            s.SetErrorKeepingMessage(" Not found END METHOD ");
            break;
        }
        const std::string line = s.text.ReadLine();
        if (ContainsWord("END METHOD", line)) {
            s.done = true;
            break;
        }
        const std::string trimmed = TrimBoth(line);
        if (trimmed.empty()) {
            continue;
        }
        const std::string word = FirstToken(trimmed);
        if (!IsReservedWord(word)) {
            s.SetError(" Unknown keyword " + word + " ");
        } else {
            DispatchMethodLine(word, line);
        }
    }
    s.inMethod = false;
}

void ScriptCompiler::DispatchMethodLine(const std::string& word, const std::string& line) {
    sc_Script& s = script_;
    if (word == "LOOP") {
        s.lists.ClearCursor();
        LoopExpander(*this).ExpandFromScriptText();
    } else if (word == "OPEN") {
        s.openText = QuotedText(line);
    } else if (word == "SAMPLE") {
        s.sampleText = QuotedText(line);
    } else if (word == "INFO") {
        ReadInfo(line);
    } else if (word == "NO_SORT") {
        s.sortMode = 0;
    } else if (word == "SORT_BY_DOSE") {
        s.sortMode = 1;
    } else if (word == "RANDOM_SORT") {
        s.sortMode = 32;
    } else if (word == "DISK_MODE") {
        s.diskMode = 1;
    } else if (word == "BATCH_MODE") {
        s.diskMode = 0;
    } else if (word == "END" || word == "USE_SCANNER" || word == "SCRIPT" || word == "METASCRIPT") {
        // no effect
    } else {
        s.SetError(" Unexpected keyword " + word + " ");
    }
}

void CompileScript(sc_Script& script, Prompter& prompter) {
    ScriptCompiler(script, prompter).Compile();
}

} // namespace gw
