#pragma once

#include "console/CommandHelp.h"
#include "console/HelpNavigator.h"
#include "link/ReaderState.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace gw {

class CommandConsoleLink;
class CommandField;
class DataPanel;
class DumpView;
class ErrorPanel;
class HelpArea;
class StatusPanel;
class WelcomePanel;

// The main window's working area: the command console on the left (help area, page buttons,
// command field), the data and status panels on the right, the error panel below them, and the
// dump, which covers the help area and the data and status panels while it is shown.
class ConsoleWorkArea : public QWidget {
    Q_OBJECT
public:
    explicit ConsoleWorkArea(QWidget* parent = nullptr);
    ~ConsoleWorkArea() override;

    // The help table read at start-up; shows topic 0.
    void setCommandHelp(CommandHelp help);
    const CommandHelp& commandHelp() const { return help_; }
    const HelpNavigator& navigator() const { return navigator_; }
    // Where typed commands go; without a link nothing is sent.
    void setLink(CommandConsoleLink* link) { link_ = link; }

    void ShowHelp();
    void showTopic(int topic);

    void setDumpShown(bool shown);
    bool dumpShown() const { return dumpShown_; }
    void setReplayMode(bool on);
    bool replayMode() const { return replayMode_; }

    // Panels follow the system type: labels and data fields laid out, values cleared.
    void layoutPanels(int systemType, int counterChannels);
    void refreshPanels(const ReaderState& state, int systemType, int counterChannels);

    CommandField* commandField() const { return commandField_; }
    HelpArea* helpArea() const { return helpArea_; }
    DumpView* dumpView() const { return dumpView_; }
    DataPanel* dataPanel() const { return dataPanel_; }
    StatusPanel* statusPanel() const { return statusPanel_; }
    ErrorPanel* errorPanel() const { return errorPanel_; }
    WelcomePanel* welcomePanel() const { return welcomePanel_; }
    QLabel* caption() const { return caption_; }
    QPushButton* previousPageButton() const { return previousPage_; }
    QPushButton* nextPageButton() const { return nextPage_; }
    QLabel* subtopicLabel() const { return subtopic_; }

signals:
    // A dump line to decode into the panels (a click or key release in the dump, or replay).
    void decodeDumpLine(const std::string& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    bool handleKey(QWidget* from, QKeyEvent* event);
    bool handleTypedCharacter(QWidget* from, QKeyEvent* event);
    void submitCommand();
    void helpClicked(int line, int column);
    void updatePageButtons();
    // Shows the help again when a move changed the topic or page.
    void showIfChanged(bool changed);

    CommandHelp help_;
    HelpNavigator navigator_{help_};
    CommandConsoleLink* link_ = nullptr;
    bool dumpShown_ = false;
    bool replayMode_ = false;

    QLabel* caption_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    HelpArea* helpArea_ = nullptr;
    DumpView* dumpView_ = nullptr;
    DataPanel* dataPanel_ = nullptr;
    StatusPanel* statusPanel_ = nullptr;
    ErrorPanel* errorPanel_ = nullptr;
    WelcomePanel* welcomePanel_ = nullptr;
    QPushButton* previousPage_ = nullptr;
    QPushButton* nextPage_ = nullptr;
    QLabel* subtopic_ = nullptr;
    CommandField* commandField_ = nullptr;
};

} // namespace gw
