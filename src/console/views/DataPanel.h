#pragma once

#include "link/DataPanelModel.h"

#include <QGroupBox>
#include <array>
#include <string>

class QLabel;

namespace gw {

// " Data ": 16 numeric fields with captions and units, one per row 16 pixels apart.
class DataPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit DataPanel(QWidget* parent = nullptr);

    // Captions, units, rows and visibility for the system type and counter channels, values 0.
    void ResetDataFields(int systemType, int counterChannels);
    void RefreshData(const ReaderState& state, int systemType, int counterChannels);

    QString caption(int field) const;
    QString value(int field) const;
    QString unit(int field) const;
    bool fieldVisible(int field) const;
    int fieldTop(int field) const;

private:
    struct Row {
        QLabel* caption;
        QLabel* value;
        QLabel* unit;
    };
    void show(const std::array<DataFieldView, DataFieldTable::FieldCount>& fields);
    static void placeLabel(QLabel* label, int x, int y, int width);
    static void showText(QLabel* label, const std::string& text);
    const Row& row(int field) const { return rows_[static_cast<std::size_t>(field - 1)]; }

    std::array<Row, DataFieldTable::FieldCount> rows_{};
};

} // namespace gw
