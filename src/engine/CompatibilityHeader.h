#pragma once

#include "engine/BinaryRecord.h"
#include "profile/PackedDate.h"
#include "profile/SystemProfile.h"

namespace gw {

struct TDataType;

// The header of the next binary record of a run. It starts from the script's profile and
// collects what the steps since the previous record did: the irradiation given, the heating rate
// or light power, the OSL time base. The curve part of the record stays zero.
class CompatibilityHeader {
public:
    explicit CompatibilityHeader(const SystemProfile& profile) : profile_(profile) {}

    // Clears the header and fills it from the profile, dated today.
    void Start(CivilDate today);
    // What any finished step leaves in the header of the next record.
    void ApplyStep(const TDataType& operation, CivilDate today);

    const BinaryRecord& Record() const { return record_; }
    // The header of an interrupted run, as its journal kept it.
    void Restore(const BinaryRecord& record) { record_ = record; }

private:
    void ApplyTl(const TDataType& operation);
    void ApplyIrradiation(const TDataType& operation, CivilDate today);
    void ApplyLightStimulation(const TDataType& operation);

    SystemProfile profile_;
    BinaryRecord record_;
};

} // namespace gw
