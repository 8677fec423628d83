#pragma once

#include <QLabel>

namespace gw {

// A bold, centred label of the status and error panels, drawn in the highlight colours while its
// flag or bit is set.
class PanelLabel : public QLabel {
    Q_OBJECT
public:
    explicit PanelLabel(QWidget* parent = nullptr);

    void setHighlighted(bool on);
    bool highlighted() const { return highlighted_; }

private:
    void applyColours(bool on);

    bool highlighted_ = false;
};

} // namespace gw
