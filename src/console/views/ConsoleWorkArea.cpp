#include "console/views/ConsoleWorkArea.h"

#include "console/CommandConsoleLink.h"
#include "console/TypedCommand.h"
#include "console/views/CommandField.h"
#include "console/views/DataPanel.h"
#include "console/views/DumpView.h"
#include "console/views/ErrorPanel.h"
#include "console/views/HelpArea.h"
#include "console/views/StatusPanel.h"
#include "console/views/WelcomePanel.h"
#include "platform/Windows1252.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

namespace gw {

namespace {

constexpr int HelpPage = 0;
constexpr int DumpPage = 1;

bool isHelpLetter(char16_t c) {
    return c >= 0x40 && c <= 0x5F;
}

} // namespace

ConsoleWorkArea::ConsoleWorkArea(QWidget* parent) : QWidget(parent) {
    setObjectName("ConsoleWorkArea");
    buildLayout();
    for (QWidget* w : std::initializer_list<QWidget*>{commandField_, helpArea_, dumpView_}) {
        w->installEventFilter(this);
    }
    connect(helpArea_, &HelpArea::clickedAt, this, &ConsoleWorkArea::helpClicked);
    connect(dumpView_, &DumpView::decodeLine, this, &ConsoleWorkArea::decodeDumpLine);
    connect(previousPage_, &QPushButton::clicked, this, [this] {
        showIfChanged(navigator_.previousPage());
        commandField_->setFocus();
    });
    connect(nextPage_, &QPushButton::clicked, this, [this] {
        showIfChanged(navigator_.nextPage());
        commandField_->setFocus();
    });
    ShowHelp();
}

ConsoleWorkArea::~ConsoleWorkArea() = default;

void ConsoleWorkArea::buildLayout() {
    caption_ = new QLabel("Commands", this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);

    helpArea_ = new HelpArea(this);
    welcomePanel_ = new WelcomePanel(helpArea_);
    dataPanel_ = new DataPanel(this);
    statusPanel_ = new StatusPanel(this);
    errorPanel_ = new ErrorPanel(this);
    dumpView_ = new DumpView(this);

    auto* helpPage = new QWidget(this);
    auto* helpRow = new QHBoxLayout(helpPage);
    helpRow->setContentsMargins(0, 0, 0, 0);
    helpRow->addWidget(helpArea_, 1);
    helpRow->addWidget(dataPanel_);
    helpRow->addWidget(statusPanel_);

    stack_ = new QStackedWidget(this);
    stack_->insertWidget(HelpPage, helpPage);
    stack_->insertWidget(DumpPage, dumpView_);

    subtopic_ = new QLabel("select subtopic", this);
    previousPage_ = new QPushButton(QString::fromUtf8("\u25B2"), this);
    previousPage_->setObjectName("PreviousPage");
    nextPage_ = new QPushButton(QString::fromUtf8("\u25BC"), this);
    nextPage_->setObjectName("NextPage");
    for (QPushButton* b : {previousPage_, nextPage_}) {
        b->setFixedWidth(32);
        b->setFocusPolicy(Qt::NoFocus);
    }
    commandField_ = new CommandField(this);

    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(subtopic_);
    pageRow->addWidget(previousPage_);
    pageRow->addWidget(nextPage_);
    pageRow->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(pageRow);
    left->addWidget(commandField_);
    left->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(left, 1);
    bottom->addWidget(errorPanel_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(caption_);
    column->addWidget(stack_, 1);
    column->addLayout(bottom);
}

void ConsoleWorkArea::setCommandHelp(CommandHelp help) {
    help_ = std::move(help);
    navigator_ = HelpNavigator(help_);
    ShowHelp();
}

void ConsoleWorkArea::ShowHelp() {
    helpArea_->showPage(FromWindows1252(navigator_.pageText()));
    updatePageButtons();
}

void ConsoleWorkArea::showTopic(int topic) {
    navigator_.showTopic(topic);
    ShowHelp();
}

void ConsoleWorkArea::updatePageButtons() {
    const bool several = !dumpShown_ && navigator_.hasSeveralPages();
    for (QWidget* w : std::initializer_list<QWidget*>{previousPage_, nextPage_, subtopic_}) {
        w->setVisible(several);
    }
    previousPage_->setEnabled(navigator_.canGoBack());
    nextPage_->setEnabled(navigator_.canGoForward());
}

void ConsoleWorkArea::showIfChanged(bool changed) {
    if (changed) {
        ShowHelp();
    }
}

void ConsoleWorkArea::setDumpShown(bool shown) {
    dumpShown_ = shown;
    stack_->setCurrentIndex(shown ? DumpPage : HelpPage);
    caption_->setText(shown ? "Dumped strings" : "Commands");
    if (shown) {
        updatePageButtons();
        dumpView_->setFocus();
    } else {
        commandField_->setFocus();
        ShowHelp();
    }
}

void ConsoleWorkArea::setReplayMode(bool on) {
    replayMode_ = on;
    dumpView_->setReplayMode(on);
    commandField_->setReplayMode(on);
}

void ConsoleWorkArea::layoutPanels(int systemType, int counterChannels) {
    statusPanel_->LayoutStatusLabels(systemType);
    errorPanel_->LayoutErrorLabels();
    dataPanel_->ResetDataFields(systemType, counterChannels);
}

void ConsoleWorkArea::refreshPanels(const ReaderState& state, int systemType, int counterChannels) {
    dataPanel_->RefreshData(state, systemType, counterChannels);
    statusPanel_->RefreshStatus(state.Flags);
    errorPanel_->RefreshErrors(state.ErrorBits);
}

bool ConsoleWorkArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == dumpView_) {
        return false; // the dump handles its own keys
    }
    auto* from = static_cast<QWidget*>(watched);
    return handleKey(from, key) || handleTypedCharacter(from, key);
}

bool ConsoleWorkArea::handleKey(QWidget* from, QKeyEvent* event) {
    const bool fromHelp = from == helpArea_;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    bool changed = false;
    bool focusToField = fromHelp;
    switch (event->key()) {
    case Qt::Key_PageUp:
        changed = navigator_.previousTopic(ctrl);
        break;
    case Qt::Key_PageDown:
        changed = navigator_.nextTopic(ctrl);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!fromHelp || shift) {
            return false;
        }
        [[fallthrough]];
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool back = event->key() == Qt::Key_Up || event->key() == Qt::Key_Left;
        changed = back ? navigator_.previousPage() : navigator_.nextPage();
        focusToField = fromHelp && !shift;
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        submitCommand();
        return true;
    default:
        if (const int step = ReplayStepOfKey(event->key()); step != 0 && replayMode_) {
            dumpView_->stepReplay(step);
            return true;
        }
        return false;
    }
    showIfChanged(changed);
    if (focusToField) {
        commandField_->setFocus();
    }
    return true;
}

bool ConsoleWorkArea::handleTypedCharacter(QWidget* from, QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint()) {
        return false;
    }
    const char16_t c = text[0].unicode() < 0x80
                           ? static_cast<char16_t>(UpperCaseCommandLetter(char(text[0].unicode())))
                           : text[0].unicode();
    if (isHelpLetter(c)) {
        showIfChanged(navigator_.followLetter(static_cast<char>(c)));
    }
    if (from == helpArea_) {
        commandField_->setFocus();
        return true;
    }
    return false; // the command field takes the character (or drops it in replay mode)
}

void ConsoleWorkArea::submitCommand() {
    if (link_ == nullptr) {
        return;
    }
    const TypedCommandOutcome outcome =
        SubmitTypedCommand(ToWindows1252(commandField_->text()), *link_);
    if (outcome == TypedCommandOutcome::SentToReader) {
        commandField_->clear();
        navigator_.showTopic(0);
        ShowHelp();
    } else if (outcome == TypedCommandOutcome::SentToScanner) {
        commandField_->clear();
    }
}

void ConsoleWorkArea::helpClicked(int line, int column) {
    commandField_->setFocus();
    showIfChanged(navigator_.clickAt(line, column));
}

} // namespace gw
