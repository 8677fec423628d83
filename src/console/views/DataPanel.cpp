#include "console/views/DataPanel.h"

#include <QLabel>

namespace gw {

namespace {

constexpr int Top = 20;
constexpr int Left = 8;
constexpr int CaptionWidth = 70;
constexpr int ValueWidth = 70;
constexpr int UnitWidth = 34;
constexpr int Height = 15;
constexpr int Rows = 16;

} // namespace

DataPanel::DataPanel(QWidget* parent) : QGroupBox(" Data ", parent) {
    setObjectName("DataPanel");
    QFont bold = font();
    bold.setBold(true);
    for (Row& r : rows_) {
        r.caption = new QLabel(this);
        r.value = new QLabel(this);
        r.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        r.value->setFont(bold);
        r.unit = new QLabel(this);
    }
    setMinimumSize(Left * 3 + CaptionWidth + ValueWidth + UnitWidth + 8,
                   Top + Rows * DataFieldTable::RowPitch + 6);
    ResetDataFields(2, 1);
}

void DataPanel::ResetDataFields(int systemType, int counterChannels) {
    show(ClearedDataFields(systemType, counterChannels));
}

void DataPanel::RefreshData(const ReaderState& state, int systemType, int counterChannels) {
    show(DataFieldViews(state, systemType, counterChannels));
}

void DataPanel::show(const std::array<DataFieldView, DataFieldTable::FieldCount>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const DataFieldView& f = fields[i];
        const Row& r = rows_[i];
        const int y = Top + f.row * DataFieldTable::RowPitch;
        r.caption->setGeometry(Left, y, CaptionWidth, Height);
        r.value->setGeometry(Left + CaptionWidth, y, ValueWidth, Height);
        r.unit->setGeometry(Left * 2 + CaptionWidth + ValueWidth, y, UnitWidth, Height);
        r.caption->setText(QString::fromStdString(f.caption));
        r.value->setText(QString::fromStdString(f.value));
        r.unit->setText(QString::fromStdString(f.unit));
        for (QLabel* label : {r.caption, r.value, r.unit}) {
            label->setVisible(f.visible);
        }
    }
}

QString DataPanel::caption(int field) const {
    return row(field).caption->text();
}
QString DataPanel::value(int field) const {
    return row(field).value->text();
}
QString DataPanel::unit(int field) const {
    return row(field).unit->text();
}
bool DataPanel::fieldVisible(int field) const {
    return !row(field).value->isHidden();
}
int DataPanel::fieldTop(int field) const {
    return row(field).value->y();
}

} // namespace gw
