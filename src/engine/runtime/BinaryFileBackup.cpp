#include "engine/runtime/BinaryFileBackup.h"

#include "core/LocalPath.h"

#include <QFile>
#include <filesystem>

namespace gw {

namespace {

QString NativeName(const std::string& path) {
    return QString::fromStdString(LocalPath(path).string());
}

// The older backup leaves the name free: to the trash, or beside it when there is none.
bool ClearBackupName(const std::string& backup, const std::function<void(const std::string&)>& log,
                     std::string& problem) {
    if (!QFile::exists(NativeName(backup))) {
        return true;
    }
    if (QFile::moveToTrash(NativeName(backup))) {
        log(": " + backup + " moved to the trash");
        return true;
    }
    std::string kept;
    for (int n = 1; kept.empty() || QFile::exists(NativeName(kept)); ++n) {
        kept = backup + "." + std::to_string(n);
    }
    if (!QFile::rename(NativeName(backup), NativeName(kept))) {
        problem = "cannot move " + backup + " out of the way";
        return false;
    }
    log(": the desktop's trash is not available; " + backup + " kept as " + kept);
    return true;
}

} // namespace

bool BackUpBinaryFiles(const std::vector<std::string>& files,
                       const std::function<void(const std::string&)>& log, std::string& problem) {
    for (const std::string& file : files) {
        const std::string backup = file + ".bak";
        if (!ClearBackupName(backup, log, problem)) {
            return false;
        }
        if (!QFile::rename(NativeName(file), NativeName(backup))) {
            problem = "cannot rename " + file + " to " + backup;
            return false;
        }
        log(": " + file + " renamed to " + backup);
    }
    return true;
}

} // namespace gw
