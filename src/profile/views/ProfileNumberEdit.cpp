#include "profile/views/ProfileNumberEdit.h"

#include "platform/Windows1252.h"

namespace gw {

ProfileNumberEdit::ProfileNumberEdit(ProfileNumber field, QWidget* parent)
    : QLineEdit(parent), field_(field) {
    setAlignment(Qt::AlignRight);
    setMaximumWidth(110);
    const ProfileNumberFieldInfo& info = NumberFieldOf(field);
    setToolTip(QString::fromLatin1(info.caption) + QStringLiteral(": ") +
               QString::fromStdString(FormatNumber(info.minimum, info.decimals)) +
               QStringLiteral(" to ") +
               QString::fromStdString(FormatNumber(info.maximum, info.decimals)));
    connect(this, &QLineEdit::editingFinished, this, &ProfileNumberEdit::finish);
}

void ProfileNumberEdit::showValue(double value) {
    shown_ = QString::fromStdString(FormatNumber(value, NumberFieldOf(field_).decimals));
    setText(shown_);
}

void ProfileNumberEdit::finish() {
    if (text() == shown_ || !store) {
        return;
    }
    // Showing the refusal takes the focus away and would finish the editing a second time.
    const QString typed = text();
    setText(shown_);
    store(field_, ToWindows1252(typed));
}

} // namespace gw
