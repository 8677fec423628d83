#include "windows/views/GraphReadoutPanel.h"

#include "platform/Windows1252.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

namespace gw {

GraphReadoutPanel::GraphReadoutPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("ReadoutPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    int row = 0;
    DataTakeStatus = addRow(grid, row++, QStringLiteral("Data take status:"), nullptr);
    DiskValue = addRow(grid, row++, QStringLiteral("Disk #"), nullptr);
    HoleValue = addRow(grid, row++, QStringLiteral("Hole #"), &HoleCaption);
    StatusLine = new QLabel(QStringLiteral("What doing"), this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    QFont bold = StatusLine->font();
    bold.setBold(true);
    StatusLine->setFont(bold);
    grid->addWidget(StatusLine, row++, 0, 1, 3);
    PointValue = addRow(grid, row++, QStringLiteral("point "), nullptr);
    CountsValue = addRow(grid, row++, QStringLiteral("counts"), nullptr);
    TempValue = addRow(grid, row++, QStringLiteral("T= "), nullptr);
    TempErrorValue = addRow(grid, row++, QStringLiteral("dT= "), nullptr);
    PressureValue = addRow(grid, row, QStringLiteral("pressure"), &PressureCaption);
    PressureUnit = new QLabel(QStringLiteral("umHg"), this);
    grid->addWidget(PressureUnit, row++, 2);
    Osl1Value = addRow(grid, row++, QStringLiteral("OSL 1 %"), &Osl1Caption);
    Osl2Value = addRow(grid, row++, QStringLiteral("OSL 2 %"), &Osl2Caption);
    HVValue = addRow(grid, row++, QStringLiteral("HV = "), nullptr);
    ReaderError = new QLabel(QStringLiteral("Reader error"), this);
    ReaderError->setObjectName(QStringLiteral("ReaderError"));
    ReaderError->setStyleSheet(QStringLiteral("color: white; background: #c00000; padding: 2px"));
    ReaderError->setAlignment(Qt::AlignCenter);
    ReaderError->hide();
    grid->addWidget(ReaderError, row++, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    setHole(false, 0);
}

QLabel* GraphReadoutPanel::addRow(QGridLayout* grid, int row, const QString& caption,
                                  QLabel** captionLabel) {
    auto* label = new QLabel(caption, this);
    auto* value = new QLabel(this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    // Wide enough for any count; a fixed size lets a new value repaint without a relayout.
    const QFontMetrics metrics(bold);
    value->setFixedSize(metrics.horizontalAdvance(QStringLiteral("-00000000000")),
                        metrics.height());
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1, Qt::AlignRight);
    if (captionLabel) {
        *captionLabel = label;
    }
    return value;
}

void GraphReadoutPanel::setRunStateText(const QString& text) {
    DataTakeStatus->setText(text);
}

QString GraphReadoutPanel::runStateText() const {
    return DataTakeStatus->text();
}

void GraphReadoutPanel::setDisk(int disk) {
    DiskValue->setText(QString::number(disk));
}

void GraphReadoutPanel::setHole(bool shown, int hole) {
    HoleCaption->setVisible(shown);
    HoleValue->setVisible(shown);
    HoleValue->setText(QString::number(hole));
}

void GraphReadoutPanel::setStatusLine(const QString& text) {
    if (StatusLine->text() != text) {
        StatusLine->setText(text);
    }
}

void GraphReadoutPanel::showReadouts(const GraphReadouts& r) {
    if (r == shown_ && !PointValue->text().isEmpty()) {
        return; // nothing to repaint
    }
    shown_ = r;
    PointValue->setText(FromWindows1252(r.point));
    CountsValue->setText(FromWindows1252(r.counts));
    TempValue->setText(FromWindows1252(r.temperature));
    TempErrorValue->setText(FromWindows1252(r.temperatureError));
    HVValue->setText(FromWindows1252(r.highVoltage));
    PressureValue->setText(FromWindows1252(r.pressure));
    PressureUnit->setText(FromWindows1252(r.pressureUnit));
    Osl1Value->setText(FromWindows1252(r.osl1));
    Osl2Value->setText(FromWindows1252(r.osl2));
    for (QLabel* w : {PressureCaption, PressureValue, PressureUnit}) {
        w->setVisible(r.pressureShown);
    }
    for (QLabel* w : {Osl1Caption, Osl1Value, Osl2Caption, Osl2Value}) {
        w->setVisible(r.oslShown);
    }
}

void GraphReadoutPanel::setReaderErrorShown(bool shown) {
    ReaderError->setVisible(shown);
}

} // namespace gw
