#pragma once

#include <QGroupBox>
#include <array>
#include <cstdint>

namespace gw {

class PanelLabel;

// " Errors ": the 12 error bits as labels in three columns of four rows.
class ErrorPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ErrorPanel(QWidget* parent = nullptr);

    void LayoutErrorLabels();
    void RefreshErrors(std::int32_t errorBits);

    const PanelLabel* label(int bit) const { return labels_[static_cast<std::size_t>(bit)]; }

private:
    std::array<PanelLabel*, 12> labels_{};
};

} // namespace gw
