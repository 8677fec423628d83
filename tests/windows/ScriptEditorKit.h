#pragma once

#include "console/ConsoleSettings.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "profile/DefaultProfile.h"
#include "profile/ProfileState.h"
#include "windows/views/ScriptCodeEditor.h"
#include "windows/views/ScriptEditorDialogs.h"
#include "windows/views/TScrptEditor.h"

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <string>

namespace gw::test {

// File choices and the print dialog answered from queues; an empty queue cancels.
class ScriptedEditorDialogs : public ScriptEditorDialogs {
public:
    std::deque<QString> openChoices;
    std::deque<QString> saveChoices;
    bool printAccepted = true;
    // Fills in and answers the editor's own dialogs; none cancels them.
    std::function<int(QDialog&)> modal;
    int opened = 0;
    int saved = 0;

    QString openFile(QWidget*, const QString&, const QString&, const QString&) override {
        ++opened;
        return take(openChoices);
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        ++saved;
        return take(saveChoices);
    }
    bool print(QWidget*, QPrinter&) override { return printAccepted; }
    void printerSetup(QWidget*, QPrinter&) override {}
    int execute(QDialog& dialog) override { return modal ? modal(dialog) : int(QDialog::Rejected); }

private:
    static QString take(std::deque<QString>& queue) {
        if (queue.empty()) {
            return {};
        }
        QString choice = queue.front();
        queue.pop_front();
        return choice;
    }
};

// A script editor over a 6600's default profile, in-memory settings, scripted answers and a
// temporary directory for its files.
struct ScriptEditorKit {
    ScriptEditorKit() {
        profile.Profile = DefaultProfile(4);
        profile.ProfileLoaded = true;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Writes the bytes as they stand to a file of the temporary directory.
    QString writeFile(const QString& name, const std::string& bytes) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path(name);
    }

    static std::string readFile(const QString& filePath) {
        QFile file(filePath);
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }

    // The messages shown, as "caption: text".
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : prompter.shown) {
            texts.push_back(shown.caption + ": " + shown.text);
        }
        return texts;
    }

    QTemporaryDir dir;
    ProfileState profile;
    MemorySettingsStore store;
    ScriptedPrompter prompter;
    ConsoleSettings settings{store, prompter};
    ScriptedEditorDialogs dialogs;
    TScrptEditor editor{profile, settings, prompter, dialogs};
};

} // namespace gw::test
