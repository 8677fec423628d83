#include "windows/views/HelpFile.h"

#include "platform/DataFolders.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace gw {

QString HelpFilePath() {
    return DataFilePath(QString::fromLatin1(HelpFileName));
}

QString ScriptManualPage(const QString& page) {
    return QDir(DataFilePath(QString::fromLatin1(ScriptManualFolder))).filePath(page);
}

HelpFileResult OpenHelpFile(const DocumentOpener& opener, const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return HelpFileResult::Failed;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = opener ? opener(url) : QDesktopServices::openUrl(url);
    return opened ? HelpFileResult::Opened : HelpFileResult::NoApplication;
}

} // namespace gw
