#pragma once

#include "engine/DataFileCurve.h"
#include "engine/DataFileRecord.h"

#include <QMainWindow>
#include <cstdint>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QSortFilterProxyModel;
class QTableView;

namespace gw {

class DataFileLoader;
class DataFilePlot;
class DataFileTableModel;

// "Data file": the records of a data file as a sortable table and the chosen records' curves
// plotted together. The file is read in the background and watched, so that the records of a
// running night appear as they are written; it is never changed.
class DataFileWindow : public QMainWindow {
    Q_OBJECT
public:
    // More chosen records than this are not all plotted: the plot would be a blot.
    static constexpr int MaxPlottedRecords = 100;
    // Files larger than this show a progress bar while they are read.
    static constexpr qint64 ProgressFrom = 4 * 1024 * 1024;

    explicit DataFileWindow(QWidget* parent = nullptr);
    ~DataFileWindow() override;

    // The chosen records, in file order, with their points read again from the file; the first
    // `most` of them when given.
    std::vector<DataFileRecord> selectedRecords(std::size_t most = SIZE_MAX) const;
    // Chooses records by their index in the file (rows of the table), as the operator would.
    void selectRecords(const std::vector<int>& indexes);
    void setLogCounts(bool on);
    void setNormalisation(CurveNormalisation normalisation);
    // Writes the plot (SVG by the ".svg" suffix, else PNG) or the chosen records' points as CSV;
    // false with the reason in the message line when it cannot.
    bool exportPlot(const QString& path);
    bool exportCsv(const QString& path);

    DataFileTableModel* records() const { return model_; }
    DataFilePlot* plot() const { return plot_; }
    QString message() const;
    bool reading() const;

public slots:
    // Opens the file and shows the window in front: "View data file..." and the take-data
    // dialog's data file name come here.
    void showFile(const QString& path);
    // Asks for a data file and shows it.
    void chooseFile();

protected:
    // A closed window stops reading and watching; it is opened again on a file.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    QWidget* buildTable();
    void followLoader();
    void replot();
    void showDetails(const std::vector<DataFileRecord>& records);
    void showMessage(const QString& text, bool problem);
    void exportPlotAs();
    void exportCsvAs();
    QString saveName(const QString& title, const QString& filter, const QString& suffix);

    DataFileLoader* loader_;
    DataFileTableModel* model_;
    QSortFilterProxyModel* proxy_;
    QTableView* table_ = nullptr;
    DataFilePlot* plot_ = nullptr;
    QPlainTextEdit* details_ = nullptr;
    QCheckBox* logCounts_ = nullptr;
    QComboBox* normalisation_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QString lastFolder_;
};

} // namespace gw
