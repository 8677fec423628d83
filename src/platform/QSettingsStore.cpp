#include "platform/QSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace gw {

namespace {

const QStringList applicationKey = {QStringLiteral("Software"), QStringLiteral("Ostvane"),
                                    QStringLiteral("Glimwerk Console")};
const QString integerPrefix = QStringLiteral("int:");
const QString textPrefix = QStringLiteral("str:");

std::optional<QString> findIgnoringCase(const QStringList& names, const QString& wanted) {
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return name;
        }
    }
    return std::nullopt;
}

// Walks down the group path; the stored spelling of each part, or nothing when one is missing.
std::optional<QStringList> resolveGroups(QSettings& settings, const QStringList& parts) {
    QStringList found;
    for (const QString& part : parts) {
        const auto match = findIgnoringCase(settings.childGroups(), part);
        if (!match) {
            break;
        }
        settings.beginGroup(*match);
        found << *match;
    }
    for (qsizetype i = 0; i < found.size(); ++i) {
        settings.endGroup();
    }
    if (found.size() != parts.size()) {
        return std::nullopt;
    }
    return found;
}

QString fullKey(const QString& group, const QString& name) {
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

// A stored INI value as text, whatever QSettings made of it (a bare comma list becomes a list).
QString iniText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

} // namespace

QSettingsStore::QSettingsStore(const QString& userFile, const QString& machineFile)
    : QSettingsStore(std::make_unique<QSettings>(userFile, QSettings::IniFormat),
                     std::make_unique<QSettings>(machineFile, QSettings::IniFormat), false) {}

QSettingsStore::QSettingsStore(std::unique_ptr<QSettings> user, std::unique_ptr<QSettings> machine,
                               bool typedValues)
    : user_(std::move(user)), machine_(std::move(machine)), typedValues_(typedValues) {}

QSettingsStore::~QSettingsStore() = default;

std::unique_ptr<QSettingsStore> QSettingsStore::ForCurrentUser() {
#ifdef Q_OS_WIN
    const QString path = QStringLiteral("\\Software\\Ostvane\\Glimwerk Console");
    return std::unique_ptr<QSettingsStore>(
        new QSettingsStore(std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER") + path,
                                                       QSettings::NativeFormat),
                           std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE") + path,
                                                       QSettings::NativeFormat),
                           true));
#else
    return std::make_unique<QSettingsStore>(DefaultUserFile(), DefaultMachineFile());
#endif
}

QString QSettingsStore::DefaultUserFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Ostvane/Glimwerk Console.conf");
}

QString QSettingsStore::DefaultMachineFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Ostvane/Glimwerk Console Ports.conf");
}

std::optional<QSettingsStore::Place> QSettingsStore::placeOf(const std::string& keyPath) const {
    QStringList parts =
        QString::fromStdString(keyPath).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    Place place{user_.get(), {}};
    if (!parts.isEmpty() &&
        parts.front().compare(QStringLiteral("HKEY_LOCAL_MACHINE"), Qt::CaseInsensitive) == 0) {
        place.settings = machine_.get();
        parts.pop_front();
    } else if (!parts.isEmpty() && parts.front().compare(QStringLiteral("HKEY_CURRENT_USER"),
                                                         Qt::CaseInsensitive) == 0) {
        parts.pop_front();
    }
    if (parts.size() < applicationKey.size()) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < applicationKey.size(); ++i) {
        if (parts[i].compare(applicationKey[i], Qt::CaseInsensitive) != 0) {
            return std::nullopt;
        }
    }
    place.groups = parts.mid(applicationKey.size());
    return place;
}

std::optional<QString> QSettingsStore::findGroup(const Place& place) const {
    const auto groups = resolveGroups(*place.settings, place.groups);
    if (!groups) {
        return std::nullopt;
    }
    return groups->join(QLatin1Char('/'));
}

std::optional<QString> QSettingsStore::findValue(const Place& place,
                                                 const std::string& name) const {
    const auto group = findGroup(place);
    if (!group) {
        return std::nullopt;
    }
    QSettings& settings = *place.settings;
    if (!group->isEmpty()) {
        settings.beginGroup(*group);
    }
    const auto key = findIgnoringCase(settings.childKeys(), QString::fromStdString(name));
    if (!group->isEmpty()) {
        settings.endGroup();
    }
    if (!key) {
        return std::nullopt;
    }
    return fullKey(*group, *key);
}

QString QSettingsStore::writeGroup(const Place& place) const {
    // Existing groups keep their spelling, so a key differing only in case is not duplicated.
    QSettings& settings = *place.settings;
    QStringList spelled;
    for (const QString& part : place.groups) {
        const auto match = findIgnoringCase(settings.childGroups(), part);
        spelled << match.value_or(part);
        settings.beginGroup(spelled.back());
    }
    for (qsizetype i = 0; i < spelled.size(); ++i) {
        settings.endGroup();
    }
    return spelled.join(QLatin1Char('/'));
}

bool QSettingsStore::hasKey(const std::string& keyPath) const {
    const auto place = placeOf(keyPath);
    if (!place) {
        return false;
    }
    if (place->groups.isEmpty()) {
        return !place->settings->allKeys().isEmpty();
    }
    return findGroup(*place).has_value();
}

std::optional<std::string> QSettingsStore::readText(const std::string& keyPath,
                                                    const std::string& name) const {
    const auto place = placeOf(keyPath);
    const auto key = place ? findValue(*place, name) : std::nullopt;
    if (!key) {
        return std::nullopt;
    }
    const QVariant value = place->settings->value(*key);
    if (typedValues_) {
        if (value.typeId() != QMetaType::QString) {
            return std::nullopt;
        }
        return value.toString().toStdString();
    }
    const QString text = iniText(value);
    if (text.startsWith(integerPrefix)) {
        return std::nullopt;
    }
    return (text.startsWith(textPrefix) ? text.mid(textPrefix.size()) : text).toStdString();
}

std::optional<int> QSettingsStore::readInteger(const std::string& keyPath,
                                               const std::string& name) const {
    const auto place = placeOf(keyPath);
    const auto key = place ? findValue(*place, name) : std::nullopt;
    if (!key) {
        return std::nullopt;
    }
    const QVariant value = place->settings->value(*key);
    bool ok = false;
    int number = 0;
    if (typedValues_) {
        const auto type = value.typeId();
        if (type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::LongLong ||
            type == QMetaType::ULongLong) {
            number = value.toInt(&ok);
        }
    } else {
        const QString text = iniText(value);
        if (text.startsWith(integerPrefix)) {
            number = text.mid(integerPrefix.size()).toInt(&ok);
        }
    }
    return ok ? std::optional<int>(number) : std::nullopt;
}

bool QSettingsStore::write(const std::string& keyPath, const std::string& name,
                           const QVariant& value) {
    const auto place = placeOf(keyPath);
    if (!place || !place->settings->isWritable()) {
        return false;
    }
    QSettings& settings = *place->settings;
    const QString group = writeGroup(*place);
    const QString key =
        findValue(*place, name).value_or(fullKey(group, QString::fromStdString(name)));
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool QSettingsStore::writeText(const std::string& keyPath, const std::string& name,
                               const std::string& value) {
    QString text = QString::fromStdString(value);
    if (!typedValues_ && (text.startsWith(integerPrefix) || text.startsWith(textPrefix))) {
        text.prepend(textPrefix);
    }
    return write(keyPath, name, text);
}

bool QSettingsStore::writeInteger(const std::string& keyPath, const std::string& name, int value) {
    if (typedValues_) {
        return write(keyPath, name, value);
    }
    return write(keyPath, name, integerPrefix + QString::number(value));
}

} // namespace gw
