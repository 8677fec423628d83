#include "windows/views/ScriptTextFile.h"

#include "platform/Windows1252.h"

#include <QFile>
#include <QSaveFile>

namespace gw {

namespace {

QString WithPlainBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

std::optional<QString> ScriptTextFile::Read(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return WithPlainBreaks(FromWindows1252(std::string_view(bytes.constData(), bytes.size())));
}

bool ScriptTextFile::Write(const QString& path, const QString& text, QString& error) {
    QSaveFile file(path);
    const std::string bytes = FileBytes(text);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

std::string ScriptTextFile::FileBytes(const QString& text) {
    QString withCrLf = WithPlainBreaks(text);
    withCrLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToWindows1252(withCrLf);
}

bool ScriptTextFile::Storable(const QString& text) {
    return FromWindows1252(ToWindows1252(text)) == text;
}

} // namespace gw
