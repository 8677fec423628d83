#include "script/LoopExpander.h"

#include "script/ScriptCompiler.h"
#include "script/ScriptLexer.h"
#include "script/ScriptNumbers.h"
#include "script/sc_Script.h"

namespace gw {

int LoopNestingChange(const std::string& line) {
    if (ContainsWord("END LOOP", line)) {
        return -1;
    }
    return ContainsWord("LOOP", line) ? 1 : 0;
}

LoopExpander::LoopExpander(ScriptCompiler& compiler)
    : compiler_(compiler), script_(compiler.Script()) {}

void LoopExpander::ExpandFromScriptText() {
    sc_Text& text = script_.text;
    const std::size_t loopStart = text.LineStart();
    int nesting = LoopNestingChange(text.RereadLine());
    while (nesting != 0 && !text.AtEnd()) {
        nesting += LoopNestingChange(text.ReadLine());
    }
    if (nesting != 0) {
        script_.SetError(" Not found END LOOP to match LOOP ");
        text.Rewind(loopStart);
        text.ReadLine(); // the error points at the LOOP line
        return;
    }
    sc_Text body;
    body.LoadPart(text.Buffer().substr(loopStart, text.Cursor() - loopStart),
                  text.Origin() + loopStart);
    body.SetPositionSink(text.PositionSink());
    body.ReadLine();
    ExpandLoop(body, 0);
}

void LoopExpander::ExpandLoop(sc_Text& body, int nesting) {
    auto& lists = script_.lists;
    const ListIterator designatedOnEntry = lists.Cursor();
    const std::size_t headerStart = body.LineStart();
    const std::string header = body.RereadLine();
    if (nesting > MaxNesting) {
        script_.SetError(" Loops nested deeper than 64 ");
        return;
    }
    std::size_t pos = 1;
    if (NextToken(header, pos) != "LOOP") {
        script_.SetError(" Expected LOOP ");
        return;
    }
    const std::string name = NextToken(header, pos);
    sc_List* list = lists.FindNode(name);
    if (list == nullptr) {
        script_.SetError(" Unknown identefier " + name + " ");
        lists.SetCursor(designatedOnEntry);
        return;
    }
    list->used = true;
    const std::size_t bodyStart = body.Cursor();
    if (list == &script_.Disks()) {
        const std::string countToken = NextToken(header, pos);
        if (LoopOverDisks(body, bodyStart, countToken, designatedOnEntry, nesting) == 0 &&
            !script_.error) {
            SkipBody(body, headerStart);
        }
    } else {
        LoopOverList(body, bodyStart, *list, nesting);
    }
    lists.SetCursor(designatedOnEntry);
}

void LoopExpander::LoopOverList(sc_Text& body, std::size_t bodyStart, sc_List& list, int nesting) {
    if (list.elements.Empty()) {
        // A list declared without elements counts from 1 to 5.
        for (const char* value : {"1", "2", "3", "4", "5"}) {
            sc_Variable& element = list.elements.Emplace("");
            element.value = value;
            element.hasValue = true;
        }
        list.hasValues = true;
    }
    const auto saved = list.elements.Cursor();
    for (auto element = list.elements.begin(); element != list.elements.end(); ++element) {
        list.elements.SetCursor(element);
        ExpandBodyOnce(body, bodyStart, nesting);
        if (script_.error) {
            break;
        }
    }
    list.elements.SetCursor(saved);
}

int LoopExpander::LoopOverDisks(sc_Text& body, std::size_t bodyStart, const std::string& countToken,
                                ListIterator designatedOnEntry, int nesting) {
    sc_Sequence& master = script_.master;
    const auto restorePoint = master.commands.LastIterator();
    if (!countToken.empty() && countToken.front() == '#') {
        if (const auto count = ParseScriptInteger(std::string_view(countToken).substr(1))) {
            script_.diskCount = *count;
        }
    } else if (designatedOnEntry != script_.lists.end() &&
               &*designatedOnEntry != &script_.Disks()) {
        // The element a surrounding loop stands on may say how many disks it wants.
        const sc_Variable* element = designatedOnEntry->elements.Current();
        if (element != nullptr && element->count > 0) {
            script_.diskCount = element->count;
        }
    }
    const int newDisks = script_.diskCount;
    if (newDisks <= 0) {
        return 0;
    }
    sc_List& disks = script_.Disks();
    const std::size_t maxDisks = compiler_.Bounds().maxDisks;
    if (disks.disks.Size() + static_cast<std::size_t>(newDisks) > maxDisks) {
        script_.SetError(" Script makes more than " + std::to_string(maxDisks) + " disks ");
        return 0;
    }
    auto disk = disks.disks.LastIterator();
    for (int i = 0; i < newDisks; ++i) {
        ++disks.count;
        sc_Item& item = disks.disks.Emplace("Disk#" + std::to_string(disks.count));
        item.number = disks.count;
    }
    disk = disk == disks.disks.end() ? disks.disks.begin() : std::next(disk);
    for (int i = 0; i < newDisks && !script_.error; ++i, ++disk) {
        ExpandBodyOnce(body, bodyStart, nesting);
        if (script_.error) {
            break;
        }
        compiler_.CopySequence(*disk, master, "", true);
        master.commands.EraseAfter(restorePoint);
    }
    return newDisks;
}

void LoopExpander::ExpandBodyOnce(sc_Text& body, std::size_t bodyStart, int nesting) {
    body.Rewind(bodyStart);
    while (!script_.error && compiler_.CountBodyLine()) {
        const std::string line = body.ReadLine();
        std::size_t pos = 1;
        std::size_t start = 0;
        std::string token = NextToken(line, pos, start);
        std::string prefix;
        if (IsModifier(token)) {
            prefix = CutName(token + " ");
            token = NextToken(line, pos, start);
        }
        if (token == "LOOP") {
            ExpandLoop(body, nesting + 1);
        } else if (IsCommandWord(token)) {
            std::string rest = line.substr(start + token.size());
            const std::string group = TakeGroup(rest);
            compiler_.AddCommand(script_.master, prefix + token, group, true);
        } else if (const sc_Sequence* sequence = script_.sequences.FindNode(token)) {
            compiler_.CopySequence(script_.master, *sequence, prefix, true);
        } else if (ContainsWord("END LOOP", line)) {
            break;
        } else {
            script_.SetError(" Unknown symbol " + token + " ");
        }
    }
}

void LoopExpander::SkipBody(sc_Text& body, std::size_t headerStart) {
    // A loop that ran no time still ends after its own END LOOP.
    body.Rewind(headerStart);
    int nesting = LoopNestingChange(body.ReadLine());
    while (nesting != 0 && !body.AtEnd()) {
        nesting += LoopNestingChange(body.ReadLine());
    }
}

} // namespace gw
