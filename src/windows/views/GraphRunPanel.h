#pragma once

#include "engine/LiveGraphView.h"

#include <QFrame>
#include <array>

class QLabel;
class QListWidget;

namespace gw {

// The live graph's run panel: the progress of a script run and its operation list.
class GraphRunPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr std::size_t FieldCount = 8;

    explicit GraphRunPanel(QWidget* parent = nullptr);

    void setField(RunPanelField field, const QString& text);
    QString field(RunPanelField field) const;
    // Appends a line to the operation list and scrolls to it.
    void appendInfo(const QString& line);
    // Empties the fields and the list.
    void clear();

    QListWidget* OperationInfo = nullptr;

private:
    std::array<QLabel*, FieldCount> values_{};
};

} // namespace gw
