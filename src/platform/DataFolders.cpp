#include "platform/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace gw {

QStringList DataFolders() {
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    return {executableFolder.absolutePath(),
            QDir::cleanPath(executableFolder.filePath(QString::fromLatin1(InstalledDataFolder)))};
}

QString DataFilePath(const QString& name) {
    const QStringList folders = DataFolders();
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return QDir(folders.front()).filePath(name);
}

} // namespace gw
