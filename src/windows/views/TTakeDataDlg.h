#pragma once

#include "engine/TakeDataValues.h"
#include "windows/TakeDataDialogRules.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace gw {

class Prompter;
class THolesDlg;

// The take-data dialog: the common area (data file, text info, disk and disk range, scanner
// holes) and the sheets "Take OSL", "Take MOSL", "Take TL" and "Irradiate". It edits a copy of
// the console's take-data values and hands them back at OK once they pass the check; a refusal
// names the field and keeps the dialog open. Created once; the values live on between showings.
class TTakeDataDlg : public QDialog {
    Q_OBJECT

public:
    TTakeDataDlg(Prompter& prompter, THolesDlg& holesDialog, QWidget* parent = nullptr);
    ~TTakeDataDlg() override;

    // The console's values, which OK replaces; they must outlive the dialog.
    void setValues(TakeDataValues* values) { live_ = values; }
    // The reader and profile facts the layout follows, asked for at every showing.
    void setContext(std::function<TakeDataDialogContext()> context) {
        context_ = std::move(context);
    }
    // While it answers true, OK is refused: no operation starts under a running one.
    void setOperationInFlight(std::function<bool()> inFlight) { inFlight_ = std::move(inFlight); }

    // Shows the dialog modally; true on OK. The live graph's single-sheet forms show only the
    // "Irradiate" or only the "Take TL" sheet (in preheat form); the full form comes back when
    // the dialog closes, while the values keep PreheatForm until endPreheatForm().
    bool execSheet(TakeDataSheet sheet);
    bool execIrradiationOnly();
    bool execPreheatOnly();
    void endPreheatForm();

    // Loads the values into the fields and lays the dialog out, as a showing does.
    void prepare(TakeDataForm form, TakeDataSheet sheet);
    // What OK does; true when the dialog may close with OK.
    bool confirm();
    // The values as the fields show them now.
    const TakeDataValues& edited() const { return working_; }
    TakeDataForm form() const { return form_; }

    // Common area.
    QPlainTextEdit* InfoText = nullptr;
    QLineEdit* DataFileName = nullptr;
    QToolButton* BrowseBtn = nullptr;
    QSpinBox* DiskNo = nullptr;
    QCheckBox* RangeBox = nullptr;
    QLabel* ToCaption = nullptr;
    QSpinBox* ToDisk = nullptr;
    QCheckBox* UseScannerBox = nullptr;
    QComboBox* HolesList = nullptr;
    QLabel* HoleCaption = nullptr;
    QSpinBox* HoleNo = nullptr;
    QCheckBox* AllBox = nullptr;
    QPushButton* SelectHolesBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTabWidget* Sheets = nullptr;
    // "Take OSL".
    std::array<QSpinBox*, 4> TbX{}, TbY{}, TbPoints{};
    std::array<QLabel*, 4> TbTime{};
    QLabel* TotalPoints = nullptr;
    QLabel* TotalTime = nullptr;
    QComboBox* OslDevice = nullptr;
    QSpinBox* OslTemp = nullptr;
    QLabel* OslPowerCaption = nullptr;
    QDoubleSpinBox* OslPower = nullptr;
    // "Take MOSL".
    QDoubleSpinBox* MoslMaxPower = nullptr;
    QDoubleSpinBox* MoslRampTime = nullptr;
    QSpinBox* MoslMaxPoints = nullptr;
    QComboBox* MoslDevice = nullptr;
    QSpinBox* MoslTemp = nullptr;
    QLabel* ActualPower = nullptr;
    QLabel* ActualTime = nullptr;
    QLabel* ActualPoints = nullptr;
    QLabel* Increment = nullptr;
    QLabel* MsPerPoint = nullptr;
    QLabel* Factors = nullptr;
    // "Take TL".
    QSpinBox* DataSpace = nullptr;
    QSpinBox* RampRate = nullptr;
    QLabel* EndTempCaption = nullptr;
    QSpinBox* EndTemp = nullptr;
    QLabel* HoldTimeCaption = nullptr;
    QSpinBox* HoldTime = nullptr;
    QDoubleSpinBox* CoolTemp = nullptr;
    QGroupBox* PreheatGroup = nullptr;
    QDoubleSpinBox* PreheatTemp = nullptr;
    QDoubleSpinBox* PreheatTime = nullptr;
    QRadioButton* WithCooling = nullptr;
    QRadioButton* StagePreheat = nullptr;
    QCheckBox* DoIt = nullptr;
    QCheckBox* SwitchOs = nullptr;
    QGroupBox* OsGroup = nullptr;
    QComboBox* OsDevice = nullptr;
    QSpinBox* OsStart = nullptr;
    QSpinBox* OsStop = nullptr;
    QDoubleSpinBox* OsPower = nullptr;
    QCheckBox* AfterglowBox = nullptr;
    QGroupBox* AfterglowGroup = nullptr;
    QSpinBox* Resolution = nullptr;
    QSpinBox* AfterglowStop = nullptr;
    // "Irradiate".
    QSpinBox* IrradTime = nullptr;
    QLabel* PositionOffset = nullptr;
    QComboBox* IrradPosition = nullptr;
    QCheckBox* TransferArm = nullptr;
    QLabel* IrradTempCaption = nullptr;
    QSpinBox* IrradTemp = nullptr;

signals:
    // A double click on the data file name: a data viewer may open the file.
    void dataFileDoubleClicked(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCommonArea();
    QWidget* buildOslSheet();
    QWidget* buildMoslSheet();
    QWidget* buildTlSheet();
    QWidget* buildIrradiationSheet();
    void wireFields();
    bool execForm(TakeDataForm form, TakeDataSheet sheet);

    void loadFields();
    void readFields();
    void relayout();
    void showComputed();
    // After the operator changed a field: the values follow the fields, then the rules move what
    // depends on them.
    void fieldChanged();
    void sheetChanged(int index);
    void browseDataFile();
    void selectHoles();

    Prompter& prompter_;
    THolesDlg& holesDialog_;
    TakeDataValues* live_ = nullptr;
    TakeDataValues working_;
    std::function<TakeDataDialogContext()> context_;
    std::function<bool()> inFlight_;
    TakeDataDialogContext shownContext_;
    TakeDataForm form_ = TakeDataForm::Full;
    bool loading_ = false;
};

} // namespace gw
