#include "engine/ScriptRecord.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TDataType Step(OperationKind kind, int device) {
    TDataType op;
    op.Kind = kind;
    op.Device = device;
    op.Disk = 4;
    op.Temperature = 125;
    op.Started = 46023.5;
    op.Stopped = 46023.75;
    return op;
}

// The lines of a record between its type and its time lines.
RecordLines Middle(const TDataType& op) {
    PointTable points;
    const RecordLines lines = ScriptRecordLines(op, points, {}, DataFileFormat(","));
    RecordLines middle;
    bool inside = false;
    for (const std::string& line : lines) {
        if (line.rfind("Started=", 0) == 0) {
            break;
        }
        if (inside) {
            middle.push_back(line);
        }
        inside = inside || line.rfind("DataType=", 0) == 0;
    }
    return middle;
}

TEST(ScriptRecord, LinesOfEveryStepKind) {
    TDataType tl = Step(OperationKind::TL, 0);
    tl.HoldTime = 10;
    tl.RampRate = 5;
    tl.PreheatType = 'S';
    tl.PreheatTemp = 160;
    tl.PreheatTime = 10;
    TDataType osl = Step(OperationKind::OSL, 28);
    osl.Power = 90;
    osl.Purpose = TDataType::PurposeNormalization | TDataType::PurposeBackground;
    TDataType lamp = Step(OperationKind::OSL, 15);
    lamp.Treatment = TDataType::TreatmentWithoutData;
    lamp.Power = 50;
    lamp.BleachTime = 100;
    TDataType ramp = Step(OperationKind::LMOSL, 40);
    ramp.Power = 100;
    ramp.PowerIncrement = 4;
    ramp.XFactor = 2;
    ramp.YFactor = 250;
    TDataType irradiation = Step(OperationKind::Irradiation, 103);
    irradiation.IrradTime = 50;
    irradiation.Dose = 5;
    const struct {
        const TDataType* op;
        std::string type;
        RecordLines middle;
    } cases[] = {
        {&tl,
         "DataType=TL",
         {"MaxTemp=125", "HoldTime=10", "RampRate=5", "PreheatType=Stage preheat",
          "PreheatTemp=160", "PreheatTime=10"}},
        {&osl, "DataType=BGD NORM IRSL", {"SampleTemp=125", "Power=90,00"}},
        {&lamp, "DataType=BLEACH ext. lamp", {"SampleTemp=125", "Power=50,00", "Time=100,00"}},
        {&ramp,
         "DataType=MOSL",
         {"SampleTemp=125", "MaxPower=100,00", "Increment=4", "TimeOfPoint=    0,500"}},
        {&irradiation, "DataType=Irrad", {"SampleTemp=125", "IrradTime=50", "IrradDose=5,00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        PointTable points;
        const RecordLines lines = ScriptRecordLines(*c.op, points, {}, DataFileFormat(","));
        EXPECT_EQ(RecordLines(lines.begin(), lines.begin() + 4),
                  (RecordLines{"[NewRecord]", "SampleType=Disk", "Disk=4", c.type}));
        EXPECT_EQ(Middle(*c.op), c.middle);
        const bool measured = c.op->Kind != OperationKind::Irradiation;
        EXPECT_EQ(lines.back() == "Points=0", measured) << "points of kinds 1 to 4 only";
    }
}

TEST(ScriptRecord, RemarkHoleAndPoints) {
    TDataType op = Step(OperationKind::OSL, 20);
    op.Remark = "quartz A";
    op.UseHoles = 1;
    op.Hole = 7;
    op.Points = 2;
    PointTable points;
    points[0] = DataPoint{0.1, {12, 0, 0, 0}, 0, 1};
    points[1] = DataPoint{0.2, {7, 0, 0, 0}, 0, 0};
    const RecordLines lines = ScriptRecordLines(op, points, {}, DataFileFormat("."));
    EXPECT_EQ(RecordLines(lines.begin(), lines.begin() + 6),
              (RecordLines{"[NewRecord]", "SampleType=Grain", "Disk=4", "Remark=quartz A", "Hole=7",
                           "DataType=OSL"}));
    EXPECT_EQ(RecordLines(lines.end() - 3, lines.end()),
              (RecordLines{"Points=2", "  0;    0.100;   12.000;  valid",
                           "  1;    0.200;    7.000;  invalid"}));
}

} // namespace
} // namespace gw
