#include "windows/views/GraphRunPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace gw {

namespace {

struct FieldRow {
    RunPanelField field;
    const char* caption;
};

constexpr std::array<FieldRow, GraphRunPanel::FieldCount> Rows{{
    {RunPanelField::TimeToFinish, "Time to finish:"},
    {RunPanelField::TimeElapsed, "Time elapsed:"},
    {RunPanelField::DataFile, "Data file:"},
    {RunPanelField::OperationNo, "Operation "},
    {RunPanelField::ScriptName, "Script file:"},
    {RunPanelField::SampleName, "Sample:"},
    {RunPanelField::BinaryName, "Binary:"},
    {RunPanelField::ScriptNo, "Taking script"},
}};

constexpr int MaxInfoLines = 5000; // the list of a long run keeps its newest lines

} // namespace

GraphRunPanel::GraphRunPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("RunPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const int row = static_cast<int>(i);
        grid->addWidget(new QLabel(QString::fromLatin1(Rows[i].caption), this), row, 0);
        auto* value = new QLabel(this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, row, 1);
        values_[static_cast<std::size_t>(Rows[i].field)] = value;
    }
    OperationInfo = new QListWidget(this);
    OperationInfo->setObjectName(QStringLiteral("OperationInfo"));
    OperationInfo->setMinimumHeight(80);
    grid->addWidget(OperationInfo, static_cast<int>(Rows.size()), 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

void GraphRunPanel::setField(RunPanelField field, const QString& text) {
    values_[static_cast<std::size_t>(field)]->setText(text);
}

QString GraphRunPanel::field(RunPanelField field) const {
    return values_[static_cast<std::size_t>(field)]->text();
}

void GraphRunPanel::appendInfo(const QString& line) {
    if (OperationInfo->count() >= MaxInfoLines) {
        delete OperationInfo->takeItem(0);
    }
    OperationInfo->addItem(line);
    OperationInfo->scrollToBottom();
}

void GraphRunPanel::clear() {
    for (QLabel* value : values_) {
        value->clear();
    }
    OperationInfo->clear();
}

} // namespace gw
