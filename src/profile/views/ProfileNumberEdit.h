#pragma once

#include "profile/ProfileNumberField.h"

#include <QLineEdit>
#include <functional>

namespace gw {

// A text field for one number of the profile: it shows the record's value with the field's
// decimals and hands what the operator typed to `store` when the editing is finished; a refused
// value is replaced by the stored one when the editor shows the profile again.
class ProfileNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    ProfileNumberEdit(ProfileNumber field, QWidget* parent = nullptr);

    ProfileNumber field() const { return field_; }
    void showValue(double value);

    // Called with the typed text when it differs from the text shown.
    std::function<void(ProfileNumber, const std::string&)> store;

private:
    void finish();

    ProfileNumber field_;
    QString shown_;
};

} // namespace gw
