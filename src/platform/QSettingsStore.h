#pragma once

#include "core/SettingsStore.h"

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace gw {

// The settings store on QSettings. Only keys under the console's own key are kept:
// "Software\Ostvane\Glimwerk Console" (per user; "HKEY_CURRENT_USER\" may stand before it) and
// "HKEY_LOCAL_MACHINE\Software\Ostvane\Glimwerk Console" (the port settings). Other keys can be
// neither read nor written.
//
// On Windows both are the registry keys of those names. Elsewhere they are INI files, so that an
// ordinary user can write the machine-wide port keys too: the user's values in
// "<config>/Ostvane/Glimwerk Console.conf", the port keys in
// "<config>/Ostvane/Glimwerk Console Ports.conf" (<config> is $XDG_CONFIG_HOME or ~/.config).
// A sub-key becomes an INI group. INI files keep no value kinds, so an integer is written as
// "int:" and its decimal digits, and a text that begins with "int:" or "str:" gets "str:" in
// front.
class QSettingsStore : public SettingsStore {
public:
    // INI files at the given places.
    QSettingsStore(const QString& userFile, const QString& machineFile);
    ~QSettingsStore() override;

    // The store of this platform for the current user, as described above.
    static std::unique_ptr<QSettingsStore> ForCurrentUser();
    static QString DefaultUserFile();
    static QString DefaultMachineFile();

    bool hasKey(const std::string& keyPath) const override;
    std::optional<std::string> readText(const std::string& keyPath,
                                        const std::string& name) const override;
    std::optional<int> readInteger(const std::string& keyPath,
                                   const std::string& name) const override;
    bool writeText(const std::string& keyPath, const std::string& name,
                   const std::string& value) override;
    bool writeInteger(const std::string& keyPath, const std::string& name, int value) override;

private:
    struct Place {
        QSettings* settings = nullptr;
        QStringList groups; // the sub-key's parts
    };

    QSettingsStore(std::unique_ptr<QSettings> user, std::unique_ptr<QSettings> machine,
                   bool typedValues);
    std::optional<Place> placeOf(const std::string& keyPath) const;
    // The stored spelling of the group path and the value name, compared without case.
    std::optional<QString> findGroup(const Place& place) const;
    std::optional<QString> findValue(const Place& place, const std::string& name) const;
    QString writeGroup(const Place& place) const;
    bool write(const std::string& keyPath, const std::string& name, const QVariant& value);

    std::unique_ptr<QSettings> user_;
    std::unique_ptr<QSettings> machine_;
    bool typedValues_; // the registry keeps kinds itself
};

} // namespace gw
