#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace gw {

class HoleSelection;

// The hole selection dialog: which holes of one grain disk the laser scanner measures, on a grid
// of n x n holes (3 to 10). A click or Space on a hole flips it at once; OK and Cancel only close.
class THolesDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int CellPixels = 20;

    explicit THolesDlg(QWidget* parent = nullptr);

    // Shows the selection of the disk modally; changes go straight into `holes`.
    int editDisk(HoleSelection& holes, int disk);
    // Lays the dialog out for the disk without showing it.
    void prepare(HoleSelection& holes, int disk);

    // Flips the hole at the cell, as a click or Space there does.
    void flipCell(int row, int column);

    QLabel* MaxHolesValue = nullptr;
    QLabel* GridPattern = nullptr;
    QSpinBox* GridSize = nullptr;
    QTableWidget* HoleGrid = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changeGridSize(int n);
    void fillGrid();
    void drawCell(int row, int column);

    HoleSelection* holes_ = nullptr;
    int disk_ = 0;
};

} // namespace gw
