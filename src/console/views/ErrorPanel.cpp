#include "console/views/ErrorPanel.h"

#include "console/views/PanelLabel.h"
#include "link/PanelLabels.h"

namespace gw {

namespace {

constexpr int Margin = 6;
constexpr int Top = 20;
constexpr int LabelWidth = 110;
constexpr int LabelHeight = 15;
constexpr int RowPitch = 16;

} // namespace

ErrorPanel::ErrorPanel(QWidget* parent) : QGroupBox(" Errors ", parent) {
    setObjectName("ErrorPanel");
    for (PanelLabel*& label : labels_) {
        label = new PanelLabel(this);
        label->setFixedSize(LabelWidth, LabelHeight); // a repaint never relays out the panel
    }
    setMinimumSize(3 * LabelWidth + 4 * Margin, Top + PanelLabels::ErrorRows * RowPitch + Margin);
    LayoutErrorLabels();
}

void ErrorPanel::LayoutErrorLabels() {
    for (int bit = 0; bit < PanelLabels::ErrorCount; ++bit) {
        const PanelLabels::Place& place = PanelLabels::error(bit);
        PanelLabel* label = labels_[static_cast<std::size_t>(bit)];
        label->setText(place.text);
        label->setHighlighted(false);
        label->setGeometry(Margin + (place.column - 1) * (LabelWidth + Margin),
                           Top + (place.row - 1) * RowPitch, LabelWidth, LabelHeight);
    }
}

void ErrorPanel::RefreshErrors(std::int32_t errorBits) {
    for (int bit = 0; bit < PanelLabels::ErrorCount; ++bit) {
        labels_[static_cast<std::size_t>(bit)]->setHighlighted(((errorBits >> bit) & 1) != 0);
    }
}

} // namespace gw
