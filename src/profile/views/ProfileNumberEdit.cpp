#include "profile/views/ProfileNumberEdit.h"

#include "platform/Windows1252.h"

namespace gw {

ProfileNumberEdit::ProfileNumberEdit(ProfileNumber field, QWidget* parent)
    : QLineEdit(parent), field_(field) {
    setAlignment(Qt::AlignRight);
    setMaximumWidth(110);
    const ProfileNumberSpec& spec = SpecOf(field);
    setToolTip(QString::fromLatin1(spec.caption) + QStringLiteral(": ") +
               QString::fromStdString(FormatNumber(spec.minimum, spec.decimals)) +
               QStringLiteral(" to ") +
               QString::fromStdString(FormatNumber(spec.maximum, spec.decimals)));
    connect(this, &QLineEdit::editingFinished, this, &ProfileNumberEdit::finish);
}

void ProfileNumberEdit::showValue(double value) {
    shown_ = QString::fromStdString(FormatNumber(value, SpecOf(field_).decimals));
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
