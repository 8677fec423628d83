#pragma once

#include <QIcon>

namespace gw {

// The application's icon tells idle from busy: it follows the reader's state code each time the
// engine takes a new one over.
class ApplicationIcon {
public:
    static QIcon idle();
    static QIcon busy();

    // Shows the busy picture for a state code above 0, the idle one otherwise; only a code that
    // differs from the last one changes the icon.
    void follow(int stateCode);
    int lastStateCode() const { return last_; }
    bool showsBusy() const { return busy_; }

private:
    int last_ = 0;
    bool busy_ = false;
};

} // namespace gw
