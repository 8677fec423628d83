#include "console/views/StatusPanel.h"

#include "console/views/PanelLabel.h"
#include "link/PanelLabels.h"

namespace gw {

namespace {

constexpr int Margin = 6;
constexpr int Top = 20;

} // namespace

StatusPanel::StatusPanel(QWidget* parent) : QGroupBox(" Status ", parent) {
    setObjectName("StatusPanel");
    for (PanelLabel*& label : labels_) {
        label = new PanelLabel(this);
        label->setFixedSize(LabelWidth, LabelHeight); // a repaint never relays out the panel
    }
    setMinimumSize(2 * LabelWidth + 3 * Margin, Top + PanelLabels::StatusRows * RowPitch + Margin);
    LayoutStatusLabels(systemType_);
}

void StatusPanel::LayoutStatusLabels(int systemType) {
    systemType_ = systemType;
    for (int flag = 0; flag < PanelLabels::StatusCount; ++flag) {
        const PanelLabels::Place& place = PanelLabels::status(systemType, flag);
        PanelLabel* label = labels_[static_cast<std::size_t>(flag)];
        label->setText(place.text);
        label->setHighlighted(false);
        label->setGeometry(Margin + (place.column - 1) * (LabelWidth + Margin),
                           Top + (place.row - 1) * RowPitch, LabelWidth, LabelHeight);
    }
}

void StatusPanel::RefreshStatus(const std::array<std::uint8_t, 32>& flags) {
    for (int flag = 0; flag < PanelLabels::StatusCount; ++flag) {
        const PanelLabels::Place& place = PanelLabels::status(systemType_, flag);
        labels_[static_cast<std::size_t>(flag)]->setHighlighted(
            PanelLabels::highlighted(place, flags[static_cast<std::size_t>(flag)]));
    }
}

} // namespace gw
