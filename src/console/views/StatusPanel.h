#pragma once

#include <QGroupBox>
#include <array>
#include <cstdint>

namespace gw {

class PanelLabel;

// " Status ": the 32 status flags as labels in two columns of 16 rows; texts and places follow
// the system type.
class StatusPanel : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int LabelWidth = 128;
    static constexpr int LabelHeight = 15;
    static constexpr int RowPitch = 16;

    explicit StatusPanel(QWidget* parent = nullptr);

    // Clears the previous layout and places and names the labels for the system type.
    void LayoutStatusLabels(int systemType);
    void RefreshStatus(const std::array<std::uint8_t, 32>& flags);

    const PanelLabel* label(int flag) const { return labels_[static_cast<std::size_t>(flag)]; }

private:
    std::array<PanelLabel*, 32> labels_{};
    int systemType_ = 2;
};

} // namespace gw
