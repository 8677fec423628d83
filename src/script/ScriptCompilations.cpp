#include "script/ScriptCompilations.h"

namespace gw {

namespace {

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void ScriptCompilations::SetEditorScript(std::unique_ptr<sc_Script> script) {
    ReleaseEditorScript();
    editorScript_ = std::move(script);
    current_ = editorScript_.get();
}

void ScriptCompilations::ReleaseEditorScript() {
    if (current_ == editorScript_.get()) {
        current_ = nullptr;
    }
    if (editorScript_) {
        editorScript_.reset();
        Released(ReleasedCompilation::EditorScript);
    }
}

void ScriptCompilations::RebuildMetaScripts(const std::vector<std::string>& paths) {
    const bool pointedIntoList = current_ != nullptr && current_ != editorScript_.get();
    if (pointedIntoList) {
        current_ = nullptr;
    }
    const bool hadCompilations = !metaScripts_.empty();
    metaScripts_.clear();
    for (const std::string& path : paths) {
        metaScripts_.push_back({path, nullptr});
    }
    metaIndex_ = -1;
    if (hadCompilations) {
        Released(ReleasedCompilation::MetaScripts);
    }
}

void ScriptCompilations::StoreMetaCompilation(std::size_t index,
                                              std::unique_ptr<sc_Script> script) {
    if (index < metaScripts_.size()) {
        metaScripts_[index].script = std::move(script);
    }
}

bool ScriptCompilations::SelectMetaEntry(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= metaScripts_.size()) {
        return false;
    }
    metaIndex_ = index;
    current_ = metaScripts_[static_cast<std::size_t>(index)].script.get();
    return true;
}

std::vector<sc_Script*> ScriptCompilations::ScriptsToRun() const {
    std::vector<sc_Script*> scripts;
    if (MetascriptOK) {
        for (const MetascriptEntry& entry : metaScripts_) {
            scripts.push_back(entry.script.get());
        }
    } else if (CompiledOK && current_ != nullptr) {
        scripts.push_back(current_);
    }
    return scripts;
}

std::string ScriptCompilations::RunningScriptName() const {
    if (metaIndex_ >= 0 && static_cast<std::size_t>(metaIndex_) < metaScripts_.size()) {
        return FileNamePart(metaScripts_[static_cast<std::size_t>(metaIndex_)].path);
    }
    return FileNamePart(ScriptFileName);
}

void ScriptCompilations::Released(ReleasedCompilation which) {
    if (whenReleased) {
        whenReleased(which);
    }
}

} // namespace gw
