#include "windows/views/HelpFile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace gw {

QString HelpFilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(HelpFileName);
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
