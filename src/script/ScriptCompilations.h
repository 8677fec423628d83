#pragma once

#include "script/sc_Script.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gw {

// One script of a metascript: its file and, once it compiled, its compilation.
struct MetascriptEntry {
    std::string path;
    std::unique_ptr<sc_Script> script;
};

// Which compilation was freed: the editor's own, or those of the metascript list.
enum class ReleasedCompilation { EditorScript, MetaScripts };

// The compilations the script editor hands to a script run. The editor's own compilation and
// those of the metascript list each have exactly one owner here; CompiledScript only points at
// one of them and never frees anything, so a run that points it at a metascript entry cannot
// have that entry freed under it by Open, Close or a new Interpret of the editor's text.
class ScriptCompilations {
public:
    // Called whenever a compilation a run may hold is freed or replaced; a run that prepared it
    // is no longer prepared.
    std::function<void(ReleasedCompilation)> whenReleased;

    // The compilation of the editor text (none until one compiled), or, while a metascript runs,
    // the running entry's. Not owning.
    sc_Script* CompiledScript() const { return current_; }
    // The editor's own compilation, replacing (and freeing) the previous one; CompiledScript
    // points at it.
    void SetEditorScript(std::unique_ptr<sc_Script> script);
    // Frees the editor's own compilation; CompiledScript becomes none when it pointed there.
    void ReleaseEditorScript();

    const std::vector<MetascriptEntry>& MetaScripts() const { return metaScripts_; }
    // Frees every entry of the list and starts a new one from the paths; MetaIndex := -1.
    void RebuildMetaScripts(const std::vector<std::string>& paths);
    // Gives an entry its compilation.
    void StoreMetaCompilation(std::size_t index, std::unique_ptr<sc_Script> script);

    int MetaIndex() const { return metaIndex_; }
    // The run moves to entry index: CompiledScript points at its compilation (none when it has
    // none). False, changing nothing, for an index outside the list.
    bool SelectMetaEntry(int index);

    bool CompiledOK = false;    // the editor text compiled and has not changed since
    bool MetascriptOK = false;  // the last interpretation was a metascript that compiled whole
    std::string ScriptFileName; // the editor's file; empty when untitled
    std::string TemplateName;   // TEMPLATE name of the last script compiled without error

    // What "&Execute script" hands to a run, not owning: every entry of the metascript when
    // MetascriptOK, else the compiled script when CompiledOK; empty when nothing is ready.
    std::vector<sc_Script*> ScriptsToRun() const;

    // The file name part of the script a run shows: the running entry's during a metascript.
    std::string RunningScriptName() const;

private:
    void Released(ReleasedCompilation which);

    std::unique_ptr<sc_Script> editorScript_;
    std::vector<MetascriptEntry> metaScripts_;
    sc_Script* current_ = nullptr;
    int metaIndex_ = -1;
};

} // namespace gw
