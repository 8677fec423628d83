#include "engine/views/DataFileWindow.h"

#include "engine/DataFileCsv.h"
#include "engine/runtime/DataFileLoader.h"
#include "engine/views/DataFilePlot.h"
#include "engine/views/DataFileTableModel.h"
#include "platform/Windows1252.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace gw {

namespace {

QString Records(qsizetype count) {
    return count == 1 ? QObject::tr("1 record") : QObject::tr("%1 records").arg(count);
}

} // namespace

DataFileWindow::DataFileWindow(QWidget* parent)
    : QMainWindow(parent), loader_(new DataFileLoader(this)), model_(new DataFileTableModel(this)),
      proxy_(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("DataFileWindow"));
    setWindowTitle(tr("Data file"));
    setWindowFlag(Qt::Window);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(DataFileTableModel::SortRole);
    buildToolBar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    fileLabel_ = new QLabel(tr("No data file open: Open... chooses one"), central);
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(fileLabel_);
    auto* split = new QSplitter(Qt::Horizontal, central);
    split->addWidget(buildTable());
    plot_ = new DataFilePlot(split);
    split->addWidget(plot_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({520, 680});
    layout->addWidget(split, 1);
    setCentralWidget(central);

    message_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 1000);
    progress_->setMaximumWidth(220);
    progress_->hide();
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(progress_);
    followLoader();
    resize(1200, 720);
}

DataFileWindow::~DataFileWindow() = default;

void DataFileWindow::buildToolBar() {
    QToolBar* bar = addToolBar(tr("Data file"));
    bar->setMovable(false);
    QAction* open = bar->addAction(tr("&Open..."), this, &DataFileWindow::chooseFile);
    open->setShortcut(QKeySequence::Open);
    bar->addSeparator();
    logCounts_ = new QCheckBox(tr("&Logarithmic counts"), bar);
    bar->addWidget(logCounts_);
    bar->addWidget(new QLabel(tr("  Normalise: "), bar));
    normalisation_ = new QComboBox(bar);
    normalisation_->addItems({tr("none"), tr("to the first point"), tr("to the maximum")});
    bar->addWidget(normalisation_);
    bar->addSeparator();
    bar->addAction(tr("Export &plot..."), this, &DataFileWindow::exportPlotAs);
    bar->addAction(tr("Export &CSV..."), this, &DataFileWindow::exportCsvAs);
    connect(logCounts_, &QCheckBox::toggled, this, &DataFileWindow::replot);
    connect(normalisation_, &QComboBox::currentIndexChanged, this, &DataFileWindow::replot);
}

QWidget* DataFileWindow::buildTable() {
    auto* split = new QSplitter(Qt::Vertical);
    table_ = new QTableView(split);
    table_->setObjectName(QStringLiteral("DataFileRecords"));
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(DataFileTableModel::Index, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (const auto& [column, digits] : {std::pair{DataFileTableModel::Index, 6},
                                         {DataFileTableModel::Disk, 5},
                                         {DataFileTableModel::Hole, 5},
                                         {DataFileTableModel::Type, 14},
                                         {DataFileTableModel::Temperature, 12},
                                         {DataFileTableModel::Points, 7},
                                         {DataFileTableModel::Started, 20}}) {
        table_->setColumnWidth(column, digits * digit + 12);
    }
    table_->setAlternatingRowColors(true);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataFileWindow::replot);
    details_ = new QPlainTextEdit(split);
    details_->setReadOnly(true);
    details_->setPlaceholderText(tr("The keys of the chosen record"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    return split;
}

void DataFileWindow::followLoader() {
    connect(loader_, &DataFileLoader::cleared, this, [this] {
        model_->clear();
        details_->clear();
        replot();
    });
    connect(loader_, &DataFileLoader::rowsRead, model_, &DataFileTableModel::append);
    connect(loader_, &DataFileLoader::tailRead, model_, &DataFileTableModel::setTail);
    connect(loader_, &DataFileLoader::progress, this, [this](qint64 done, qint64 total) {
        progress_->setVisible(total >= ProgressFrom && done < total);
        progress_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
        showMessage(tr("Reading... %1 records").arg(model_->rowCount()), false);
    });
    connect(loader_, &DataFileLoader::failed, this, [this](const QString& text) {
        progress_->hide();
        showMessage(text, true);
    });
    connect(loader_, &DataFileLoader::readDone, this, [this] {
        progress_->hide();
        if (message_->property("problem").toBool()) {
            return;
        }
        int damaged = 0;
        for (int row = 0; row < model_->rowCount(); ++row) {
            damaged += model_->rowAt(row).problems.empty() ? 0 : 1;
        }
        QString text = Records(model_->rowCount());
        if (damaged > 0) {
            text += tr(", %1 with problems (red)").arg(damaged);
        }
        showMessage(text, false);
    });
}

void DataFileWindow::showFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    lastFolder_ = QFileInfo(full).absolutePath();
    fileLabel_->setText(QDir::toNativeSeparators(full));
    showMessage(tr("Reading..."), false);
    loader_->open(full);
    show();
    raise();
    activateWindow();
}

void DataFileWindow::closeEvent(QCloseEvent* event) {
    loader_->close();
    model_->clear();
    details_->clear();
    progress_->hide();
    showMessage(QString(), false);
    fileLabel_->setText(tr("No data file open: Open... chooses one"));
    QMainWindow::closeEvent(event);
}

void DataFileWindow::chooseFile() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open data file"), lastFolder_,
                                                      tr("Data files (*.txt);;All files (*)"));
    if (!path.isEmpty()) {
        showFile(path);
    }
}

bool DataFileWindow::reading() const {
    return loader_->reading();
}

QString DataFileWindow::message() const {
    return message_->text();
}

void DataFileWindow::showMessage(const QString& text, bool problem) {
    message_->setText(text);
    message_->setProperty("problem", problem);
    message_->setStyleSheet(problem ? QStringLiteral("color: #b00000; font-weight: bold;")
                                    : QString());
}

std::vector<DataFileRecord> DataFileWindow::selectedRecords(std::size_t most) const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(proxy_->mapToSource(index).row());
    }
    std::sort(rows.begin(), rows.end());
    rows.resize(std::min(rows.size(), most));
    std::vector<DataFileRecord> records;
    for (int row : rows) {
        DataFileRecord record = loader_->readRecord(model_->rowAt(row));
        if (!record.keys.empty()) {
            records.push_back(std::move(record));
        }
    }
    return records;
}

void DataFileWindow::selectRecords(const std::vector<int>& indexes) {
    QItemSelection selection;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (std::find(indexes.begin(), indexes.end(), model_->rowAt(row).index) != indexes.end()) {
            const QModelIndex at = proxy_->mapFromSource(model_->index(row, 0));
            selection.select(at, at);
        }
    }
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
}

void DataFileWindow::setLogCounts(bool on) {
    logCounts_->setChecked(on);
}

void DataFileWindow::setNormalisation(CurveNormalisation normalisation) {
    normalisation_->setCurrentIndex(static_cast<int>(normalisation));
}

void DataFileWindow::replot() {
    // Only the plotted records are read again: a whole table chosen must not read the file.
    const auto chosen = static_cast<std::size_t>(table_->selectionModel()->selectedRows().size());
    const std::vector<DataFileRecord> records = selectedRecords(MaxPlottedRecords);
    const auto normalisation = static_cast<CurveNormalisation>(normalisation_->currentIndex());
    std::vector<DataFileCurve> curves;
    for (const DataFileRecord& record : records) {
        for (DataFileCurve& curve :
             DataFileCurvesOf(record, normalisation, logCounts_->isChecked())) {
            curves.push_back(std::move(curve));
        }
    }
    plot_->showCurves(curves, logCounts_->isChecked(), normalisation);
    showDetails(records);
    if (chosen > MaxPlottedRecords) {
        showMessage(
            tr("%1 records chosen: the first %2 are plotted").arg(chosen).arg(MaxPlottedRecords),
            false);
    }
}

void DataFileWindow::showDetails(const std::vector<DataFileRecord>& records) {
    if (records.size() != 1) {
        details_->setPlainText(records.empty() ? QString()
                                               : Records(std::ssize(records)) + tr(" chosen"));
        return;
    }
    QString text;
    for (const DataFileKey& key : records.front().keys) {
        text += FromWindows1252(key.name) + '=' + FromWindows1252(key.value) + '\n';
    }
    for (const std::string& problem : records.front().problems) {
        text += tr("Problem: ") + FromWindows1252(problem) + '\n';
    }
    details_->setPlainText(text);
}

QString DataFileWindow::saveName(const QString& title, const QString& filter,
                                 const QString& suffix) {
    QString path = QFileDialog::getSaveFileName(this, title, lastFolder_, filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += suffix;
    }
    return path;
}

bool DataFileWindow::exportPlot(const QString& path) {
    if (!plot_->savePicture(path)) {
        showMessage(tr("The plot could not be written to %1.").arg(QDir::toNativeSeparators(path)),
                    true);
        return false;
    }
    showMessage(tr("Plot written to %1").arg(QDir::toNativeSeparators(path)), false);
    return true;
}

bool DataFileWindow::exportCsv(const QString& path) {
    const std::vector<DataFileRecord> records = selectedRecords();
    if (records.empty()) {
        showMessage(tr("Choose the records to export in the table first."), true);
        return false;
    }
    const std::string text = DataFileCsv(records);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        showMessage(tr("The CSV file %1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()),
                    true);
        return false;
    }
    showMessage(Records(std::ssize(records)) + tr(" written to ") + QDir::toNativeSeparators(path),
                false);
    return true;
}

void DataFileWindow::exportPlotAs() {
    const QString path = saveName(tr("Export plot"), tr("PNG picture (*.png);;SVG drawing (*.svg)"),
                                  QStringLiteral(".png"));
    if (!path.isEmpty()) {
        exportPlot(path);
    }
}

void DataFileWindow::exportCsvAs() {
    const QString path =
        saveName(tr("Export CSV"), tr("CSV files (*.csv)"), QStringLiteral(".csv"));
    if (!path.isEmpty()) {
        exportCsv(path);
    }
}

} // namespace gw
