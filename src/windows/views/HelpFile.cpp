#include "windows/views/HelpFile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace gw {

QString HelpFilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(HelpFileName);
}

QString ScriptManualPage(const QString& page) {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QString::fromLatin1(ScriptManualFolder) + QLatin1Char('/') + page);
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
