#include "windows/views/THolesDlg.h"

#include "engine/HoleSelection.h"
#include "windows/views/RecolourControls.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace gw {

THolesDlg::THolesDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HolesDlg"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Max no. of holes"), this), 0, 0);
    MaxHolesValue = new QLabel(this);
    layout->addWidget(MaxHolesValue, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Grid pattern"), this), 1, 0);
    GridPattern = new QLabel(this);
    layout->addWidget(GridPattern, 1, 1);
    GridSize = new QSpinBox(this);
    GridSize->setRange(HoleSelection::MinGrid, HoleSelection::MaxGrid);
    GridSize->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    GridSize->setFixedWidth(24 + 24);
    layout->addWidget(GridSize, 1, 2);

    HoleGrid = new QTableWidget(this);
    HoleGrid->setObjectName(QStringLiteral("HoleGrid"));
    HoleGrid->horizontalHeader()->hide();
    HoleGrid->verticalHeader()->hide();
    HoleGrid->horizontalHeader()->setMinimumSectionSize(CellPixels);
    HoleGrid->verticalHeader()->setMinimumSectionSize(CellPixels);
    HoleGrid->horizontalHeader()->setDefaultSectionSize(CellPixels);
    HoleGrid->verticalHeader()->setDefaultSectionSize(CellPixels);
    HoleGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HoleGrid->setSelectionMode(QAbstractItemView::NoSelection);
    HoleGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HoleGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HoleGrid->setTextElideMode(Qt::ElideNone);
    HoleGrid->setWordWrap(false);
    HoleGrid->setStyleSheet(QStringLiteral("QTableView::item { padding: 0px; }"));
    QFont small = HoleGrid->font();
    small.setPointSizeF(small.pointSizeF() * 0.75); // "99" in bold fits a 20-pixel cell
    HoleGrid->setFont(small);
    HoleGrid->installEventFilter(this);
    layout->addWidget(HoleGrid, 2, 0, 1, 3, Qt::AlignCenter);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    OKBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons, 3, 0, 1, 3);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(GridSize, &QSpinBox::valueChanged, this, &THolesDlg::changeGridSize);
    // A click is taken on the button's release over a cell; beside the cells nothing changes.
    connect(HoleGrid, &QTableWidget::cellClicked, this, &THolesDlg::flipCell);
    RecolourControls(this);
}

int THolesDlg::editDisk(HoleSelection& holes, int disk) {
    prepare(holes, disk);
    return exec();
}

void THolesDlg::prepare(HoleSelection& holes, int disk) {
    holes_ = &holes;
    disk_ = disk;
    setWindowTitle(QStringLiteral("Selected holes to use on disk ") + QString::number(disk));
    GridSize->blockSignals(true);
    GridSize->setValue(holes.gridSize());
    GridSize->blockSignals(false);
    fillGrid();
}

void THolesDlg::changeGridSize(int n) {
    if (!holes_) {
        return;
    }
    holes_->setGridSize(n);
    fillGrid();
}

void THolesDlg::fillGrid() {
    const int n = holes_->gridSize();
    MaxHolesValue->setText(QString::number(holes_->holesPerDisk()));
    GridPattern->setText(QString::number(n) + QStringLiteral(" by ") + QString::number(n));
    HoleGrid->clear();
    HoleGrid->setRowCount(n);
    HoleGrid->setColumnCount(n);
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            drawCell(row, column);
        }
    }
    const int side = n * CellPixels + 2 * HoleGrid->frameWidth();
    HoleGrid->setFixedSize(side, side);
}

void THolesDlg::drawCell(int row, int column) {
    const int hole = column + row * holes_->gridSize();
    QTableWidgetItem* item = HoleGrid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        HoleGrid->setItem(row, column, item);
    }
    const bool selected = holes_->selected(disk_, hole);
    QFont font = HoleGrid->font();
    font.setBold(selected);
    item->setFont(font);
    item->setText(QString::number(hole));
    item->setForeground(selected ? palette().color(QPalette::WindowText) : QColor(128, 128, 128));
    item->setBackground(ReplacementColour());
}

void THolesDlg::flipCell(int row, int column) {
    const int n = holes_ ? holes_->gridSize() : 0;
    if (row < 0 || column < 0 || row >= n || column >= n) {
        return;
    }
    holes_->flip(disk_, column + row * n);
    drawCell(row, column);
}

bool THolesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HoleGrid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        flipCell(HoleGrid->currentRow(), HoleGrid->currentColumn());
        return true; // Space goes no further
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace gw
