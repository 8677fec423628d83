#include "app/views/TConsoleForm.h"

#include "GwVersion.h"
#include "console/CommandHelp.h"
#include "console/SystemTypeNames.h"
#include "console/runtime/Console.h"
#include "console/views/ConsoleWorkArea.h"
#include "console/views/DumpView.h"
#include "link/views/ConnectionLamps.h"
#include "windows/Prompter.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace gw {

TConsoleForm::TConsoleForm(Console& console, QWidget* parent)
    : QMainWindow(parent), console_(console) {
    setObjectName(QStringLiteral("ConsoleForm"));
    setWindowTitle(QString::fromLatin1(InitialCaption));
    createActions();
    createMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    WorkArea = new ConsoleWorkArea(central);
    Dump = WorkArea->dumpView();
    layout->addWidget(WorkArea, 1);
    layout->addWidget(createConnectionPanel());
    setCentralWidget(central);
    resize(1000, 680);

    Dump->follow(&console_.log().dump());
    Lamps->attach(console_.ports.reader());
    followPortState();
}

void TConsoleForm::createActions() {
    ActionOpenPort = new QAction(QStringLiteral("Open port"), this);
    ActionOpenPort->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(ActionOpenPort, &QAction::triggered, this, [this] { console_.openPorts(); });

    ActionClosePort = new QAction(QStringLiteral("Close port"), this);
    ActionClosePort->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(ActionClosePort, &QAction::triggered, this, [this] { console_.closePorts(); });

    ActionExit = new QAction(QStringLiteral("E&xit"), this);
    connect(ActionExit, &QAction::triggered, this, [this] {
        console_.closePorts();
        close();
    });

    systemGroup_ = new QActionGroup(this);
    for (int type = 0; type < static_cast<int>(ActionSystem.size()); ++type) {
        QAction* action =
            new QAction(QString::fromStdString(SystemTypeMenuItem(type)), systemGroup_);
        action->setCheckable(true);
        action->setVisible(false);
        connect(action, &QAction::triggered, this,
                [this, type] { console_.SelectSystemType(type); });
        ActionSystem[static_cast<std::size_t>(type)] = action;
    }
    ActionSystem[2]->setChecked(true); // "3500 system" until start-up decides
}

void TConsoleForm::createMenus() {
    QMenu* port = menuBar()->addMenu(QStringLiteral("Serial &port"));
    port->addAction(ActionOpenPort);
    port->addAction(ActionClosePort);
    port->addSeparator();
    port->addAction(ActionExit);
    // The measurement, system, tools and help menus join here.
    QMenu* system = menuBar()->addMenu(QStringLiteral("&System"));
    system->addActions(systemGroup_->actions());
}

QWidget* TConsoleForm::createConnectionPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ConnectionPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(panel);
    Lamps = new ConnectionLamps(panel);
    layout->addWidget(Lamps);
    layout->addStretch(1);
    VersionLabel = new QLabel(QStringLiteral("v. ") + QStringLiteral(GW_VERSION_TEXT), panel);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    layout->addWidget(VersionLabel);
    return panel;
}

void TConsoleForm::followPortState() {
    const auto update = [this] {
        const bool open = console_.ports.reader().isOpen();
        ActionOpenPort->setEnabled(!open);
        ActionClosePort->setEnabled(open && !console_.runState.RunActive &&
                                    !console_.runState.MetascriptRunning);
    };
    connect(&console_.ports.reader(), &LinkPort::afterOpen, this, update);
    connect(&console_.ports.reader(), &LinkPort::afterClose, this, update);
    update();
}

void TConsoleForm::checkSystemTypeItem(int systemType) {
    if (IsValidSystemType(systemType)) {
        ActionSystem[static_cast<std::size_t>(systemType)]->setChecked(true);
    }
}

void TConsoleForm::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TConsoleForm::layOutPanels(int systemType) {
    WorkArea->layoutPanels(systemType, console_.linkState.layout.CounterChannels);
}

void TConsoleForm::loadCommandHelp() {
    // The help file is looked for in the working directory, then beside the program.
    const QString name = QString::fromLatin1(CommandHelp::FileName);
    QString path = name;
    if (!QFileInfo::exists(path)) {
        path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    }
    std::optional<CommandHelp> help = CommandHelp::load(path.toStdString());
    if (!help) {
        console_.prompter().message(MessageKind::Error, "Error",
                                    std::string("Can't open help file ") + CommandHelp::FileName);
        help = CommandHelp();
    }
    WorkArea->setCommandHelp(std::move(*help));
    WorkArea->setDumpShown(false);
}

void TConsoleForm::showFirstHelpTopic() {
    WorkArea->showTopic(0);
}

void TConsoleForm::endDumpReplay() {
    WorkArea->setReplayMode(false);
}

void TConsoleForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        console_.mainWindowShown();
    }
}

void TConsoleForm::closeEvent(QCloseEvent* event) {
    if (console_.confirmClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace gw
