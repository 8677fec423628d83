#pragma once

#include "windows/GraphReadouts.h"

#include <QFrame>

class QGridLayout;
class QLabel;

namespace gw {

// The live graph's readouts: the run state, disk and hole, the acquisition status line and the
// reader's point, counts, temperature, temperature error, pressure or OSL powers and high
// voltage, and the "Reader error" sign.
class GraphReadoutPanel : public QFrame {
    Q_OBJECT

public:
    explicit GraphReadoutPanel(QWidget* parent = nullptr);

    void setRunStateText(const QString& text);
    QString runStateText() const;
    void setDisk(int disk);
    void setHole(bool shown, int hole);
    // The acquisition status line, rewritten only when it changes.
    void setStatusLine(const QString& text);
    void showReadouts(const GraphReadouts& readouts);
    void setReaderErrorShown(bool shown);

    QLabel* DataTakeStatus = nullptr;
    QLabel* DiskValue = nullptr;
    QLabel* HoleCaption = nullptr;
    QLabel* HoleValue = nullptr;
    QLabel* StatusLine = nullptr;
    QLabel* PointValue = nullptr;
    QLabel* CountsValue = nullptr;
    QLabel* TempValue = nullptr;
    QLabel* TempErrorValue = nullptr;
    QLabel* PressureCaption = nullptr;
    QLabel* PressureValue = nullptr;
    QLabel* PressureUnit = nullptr;
    QLabel* Osl1Caption = nullptr;
    QLabel* Osl1Value = nullptr;
    QLabel* Osl2Caption = nullptr;
    QLabel* Osl2Value = nullptr;
    QLabel* HVValue = nullptr;
    QLabel* ReaderError = nullptr;

private:
    QLabel* addRow(QGridLayout* grid, int row, const QString& caption, QLabel** captionLabel);
    GraphReadouts shown_;
};

} // namespace gw
