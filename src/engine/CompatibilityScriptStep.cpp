#include "engine/CompatibilityScriptStep.h"

#include "engine/CompatibilityWriter.h"
#include "script/StepRecordBuilder.h"
#include "script/sc_Item.h"

namespace gw {

FileError WriteCompatibilityStep(CompatibilityWriter& writer, sc_Script& script, sc_Item& disk,
                                 const TDataType& operation, const PointTable& points,
                                 Prompter& prompter, CivilDate today) {
    const CompatibilityStep step{
        operation, points, disk.platter, disk.number, [&](StepRecord& record) {
            bool ignoreAll = true;
            StepRecordContext context{prompter, today};
            return BuildStepRecord(script, disk, record, ignoreAll, context);
        }};
    return writer.AddStep(step);
}

} // namespace gw
