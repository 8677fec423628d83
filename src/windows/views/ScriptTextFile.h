#pragma once

#include <QString>
#include <optional>
#include <string>

namespace gw {

// Script files on disk: Windows-1252 text with CR LF line breaks. The editor holds Unicode text
// with plain line breaks.
class ScriptTextFile {
public:
    // The file's text for the editor; empty with error set when it cannot be read.
    static std::optional<QString> Read(const QString& path, QString& error);
    // Writes the editor's text through a temporary file renamed over the old one, so a failed
    // write leaves the old file whole. False with error set when it fails.
    static bool Write(const QString& path, const QString& text, QString& error);
    // The bytes the file holds for the editor's text (and the compiler reads).
    static std::string FileBytes(const QString& text);
    // Whether every character of the text can be stored in a script file.
    static bool Storable(const QString& text);
};

} // namespace gw
