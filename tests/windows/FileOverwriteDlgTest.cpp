#include "windows/views/TFileOverwriteDlg.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace gw {
namespace {

namespace fs = std::filesystem;

// A data directory with binary files of the name "run" (two channels and a subtraction file).
class OverwriteFiles {
public:
    OverwriteFiles() : dir(fs::temp_directory_path() / "gw-overwrite-dlg") {
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : {"run_0.dat", "run_1.dat", "run_0.sub", "other.txt"}) {
            std::ofstream(dir / name) << "x";
        }
    }
    ~OverwriteFiles() { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }

    fs::path dir;
};

TEST(TFileOverwriteDlg, ListsTheFilesTheNameAffects) {
    OverwriteFiles files;
    TFileOverwriteDlg dlg;
    dlg.setFileName(files.path("run.dat"));
    EXPECT_EQ(dlg.windowTitle(), "Warning. File exists!");
    EXPECT_EQ(dlg.MaskLabel->text(), "'run*.dat'");
    ASSERT_EQ(dlg.FileList->count(), 3);
    EXPECT_EQ(dlg.FileList->item(0)->text(), "run_0.dat");
    EXPECT_EQ(dlg.FileList->item(2)->text(), "run_0.sub");
    EXPECT_TRUE(dlg.TryAgainBtn->isDefault());
    dlg.setFileName(files.path("fresh.dat"));
    EXPECT_EQ(dlg.MaskLabel->text(), "none");
    EXPECT_EQ(dlg.FileList->count(), 0);
}

TEST(TFileOverwriteDlg, EachButtonAnswers) {
    OverwriteFiles files;
    struct Case {
        const char* name;
        QPushButton* TFileOverwriteDlg::*button;
        const char* edited; // the name typed before the click, or nullptr
        bool closes;
        ExistingFilesChoice choice;
        const char* otherName;
    };
    const Case cases[] = {
        {"Add to file", &TFileOverwriteDlg::AppendBtn, nullptr, true, ExistingFilesChoice::Append,
         ""},
        {"Overwrite file", &TFileOverwriteDlg::OverwriteBtn, nullptr, true,
         ExistingFilesChoice::Overwrite, ""},
        {"Try again on a name still in use", &TFileOverwriteDlg::TryAgainBtn, "run_1.dat", false,
         ExistingFilesChoice::Cancel, ""},
        {"Try again on a free name", &TFileOverwriteDlg::TryAgainBtn, "night.dat", true,
         ExistingFilesChoice::OtherName, "night.dat"},
        {"Try again on an empty name", &TFileOverwriteDlg::TryAgainBtn, "", false,
         ExistingFilesChoice::Cancel, ""},
        {"Cancel", &TFileOverwriteDlg::CancelBtn, nullptr, true, ExistingFilesChoice::Cancel, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFileOverwriteDlg dlg;
        dlg.setFileName(files.path("run.dat"));
        dlg.show();
        if (c.edited != nullptr) {
            dlg.FileNameEdit->setText(*c.edited ? QString::fromStdString(files.path(c.edited))
                                                : QString());
        }
        (dlg.*c.button)->click();
        EXPECT_EQ(!dlg.isVisible(), c.closes);
        EXPECT_EQ(dlg.answer().choice, c.choice);
        EXPECT_EQ(dlg.answer().otherName, *c.otherName ? files.path(c.otherName) : "");
    }
}

// A picture of the dialog for a look by eye: run with GW_SCREENSHOT_DIR set (under Xvfb for the
// desktop's own rendering). Skipped otherwise.
TEST(TFileOverwriteDlg, Screenshot) {
    const QString target = qEnvironmentVariable("GW_SCREENSHOT_DIR");
    if (target.isEmpty()) {
        GTEST_SKIP() << "GW_SCREENSHOT_DIR not set";
    }
    OverwriteFiles files;
    TFileOverwriteDlg dlg;
    dlg.setFileName(files.path("run.dat"));
    dlg.show();
    QApplication::processEvents();
    QDir().mkpath(target);
    EXPECT_TRUE(dlg.grab().save(QDir(target).filePath("file-overwrite-dialog.png")));
}

} // namespace
} // namespace gw
