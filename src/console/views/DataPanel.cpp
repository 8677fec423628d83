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

// At the line rate this runs for every reply: only what changed is touched, and the labels keep
// fixed sizes so a new value repaints one label instead of relaying out the panel.
void DataPanel::show(const std::array<DataFieldView, DataFieldTable::FieldCount>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const DataFieldView& f = fields[i];
        const Row& r = rows_[i];
        const int y = Top + f.row * DataFieldTable::RowPitch;
        placeLabel(r.caption, Left, y, CaptionWidth);
        placeLabel(r.value, Left + CaptionWidth, y, ValueWidth);
        placeLabel(r.unit, Left * 2 + CaptionWidth + ValueWidth, y, UnitWidth);
        showText(r.caption, f.caption);
        showText(r.value, f.value);
        showText(r.unit, f.unit);
        for (QLabel* label : {r.caption, r.value, r.unit}) {
            if (label->isHidden() == f.visible) {
                label->setVisible(f.visible);
            }
        }
    }
}

void DataPanel::placeLabel(QLabel* label, int x, int y, int width) {
    const QRect place(x, y, width, Height);
    if (label->geometry() != place) {
        label->setFixedSize(place.size());
        label->move(place.topLeft());
    }
}

void DataPanel::showText(QLabel* label, const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (label->text() != shown) {
        label->setText(shown);
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
