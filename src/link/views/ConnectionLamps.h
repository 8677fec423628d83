#pragma once

#include <QWidget>

namespace gw {

class IndicatorLamp;
class LinkPort;

// The three lamps of the reader port on the connection panel: "Connected" (lit while the port is
// open), "Receiving" and "Sending" (flashed on each reception and transmission).
class ConnectionLamps : public QWidget {
    Q_OBJECT

public:
    explicit ConnectionLamps(QWidget* parent = nullptr);

    // Follows the port's events from now on; the lamps start from its current state.
    void attach(const LinkPort& port);

    IndicatorLamp* connected() const { return connected_; }
    IndicatorLamp* receiving() const { return receiving_; }
    IndicatorLamp* sending() const { return sending_; }

private:
    IndicatorLamp* connected_;
    IndicatorLamp* receiving_;
    IndicatorLamp* sending_;
};

} // namespace gw
