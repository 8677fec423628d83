#pragma once

#include "script/Device_type.h"

#include <list>
#include <string>
#include <string_view>

namespace gw {

struct SystemProfile;

// The devices a compiled script may use, built once from the script's copy of the profile:
// irradiators first, then the heaters, the light sources, the detector filters and the bleaching
// lamp. Its name is "System devices", its text the reader type ("3500", "6600" ...).
class DeviceList {
public:
    static DeviceList Build(const SystemProfile& profile);

    const std::string& Name() const { return name_; }
    const std::string& Text() const { return text_; }
    const std::list<Device_type>& Devices() const { return devices_; }

    // The first element of that kind (and description, when one is given); marks it referenced.
    // Null when there is none.
    Device_type* FindDevice(std::string_view kind, std::string_view description = {});

private:
    void AddIrradiators(const SystemProfile& profile);
    void AddHeaters();
    void AddLightSources(const SystemProfile& profile);
    Device_type& Add(std::string kind, std::string description, int arrangement, int portOffset);

    std::string name_ = "System devices";
    std::string text_;
    std::list<Device_type> devices_;
};

// The reader type's name: "Manual", "3400", "3500", "3550" or "6600".
std::string ReaderTypeName(int readerType);

} // namespace gw
