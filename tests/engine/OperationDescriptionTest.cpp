#include "engine/OperationDescription.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TDataType Tl(int temperature, int rampRate) {
    TDataType op;
    op.Kind = OperationKind::TL;
    op.Temperature = temperature;
    op.RampRate = rampRate;
    return op;
}

TDataType WithPurpose(TDataType op, std::uint8_t purpose) {
    op.Purpose = purpose;
    return op;
}

TDataType Preheat(int temperature, int hold) {
    TDataType op = Tl(temperature, 5);
    op.Treatment = TDataType::TreatmentWithoutData;
    op.HoldTime = hold;
    return op;
}

TDataType TlWithPreheat(char type, int preheatTemp, int preheatTime, int hold = 0) {
    TDataType op = Tl(450, 2);
    op.PreheatType = type;
    op.PreheatTemp = preheatTemp;
    op.PreheatTime = preheatTime;
    op.HoldTime = hold;
    return op;
}

TDataType Osl(OperationKind kind, bool treatment, int n = 40) {
    TDataType op;
    op.Kind = kind;
    op.Treatment = treatment ? TDataType::TreatmentWithoutData : 0;
    op.Device = 20;
    op.Power = 90;
    op.Temperature = 125;
    op.X = {1, 1, 4, 40};
    op.Y = {10, 100, 250, 250};
    op.N = {0, n, 0, 0};
    return op;
}

TDataType Irradiation() {
    TDataType op;
    op.Kind = OperationKind::Irradiation;
    op.Source = 'X';
    op.IrradTime = 100;
    op.Device = 110;
    op.Dose = 12.345;
    op.Temperature = 20;
    return op;
}

TDataType OfKind(OperationKind kind, std::uint8_t purpose = 0) {
    TDataType op;
    op.Kind = kind;
    op.Purpose = purpose;
    return op;
}

constexpr std::uint8_t Norm = TDataType::PurposeNormalization;
constexpr std::uint8_t Bgd = TDataType::PurposeBackground;

// "\260" is the degree sign, Windows-1252 byte 0xB0.
TEST(DescribeOperation, ExactTexts) {
    const struct {
        const char* name;
        TDataType operation;
        std::string text;
    } cases[] = {
        {"TL", Tl(500, 5), "  TL to 500\260C\r\n  ramp rate 5\260C/s"},
        {"TL without ramp rate", Tl(500, 0), "  TL to 500\260C\r\n  ramp rate 0\260C/s"},
        {"normalization background TL", WithPurpose(Tl(500, 5), Norm | Bgd),
         "  normalization background TL to 500\260C\r\n  ramp rate 5\260C/s"},
        {"background TL", WithPurpose(Tl(500, 5), Bgd),
         "  background TL to 500\260C\r\n  ramp rate 5\260C/s"},
        {"preheat to", Preheat(260, 0), "  preheat to 260\260C\r\n  ramp rate 5\260C/s"},
        {"preheat at", Preheat(260, 10), "  preheat at 260\260C for 10s\r\n  ramp rate 5\260C/s"},
        {"stage preheat with hold", TlWithPreheat('S', 160, 10, 5),
         "  TL to 450\260C; holding for 5s\r\n  stage preheat at 160\260C for 10s \r\n  ramp rate "
         "2\260C/s"},
        {"wash preheat", TlWithPreheat('W', 220, 30),
         "  TL to 450\260C\r\n  wash preheat at 220\260C for 30s \r\n  ramp rate 2\260C/s"},
        {"preheat of unknown type", TlWithPreheat('X', 220, 30),
         "  TL to 450\260C\r\n   preheat at 220\260C for 30s \r\n  ramp rate 2\260C/s"},
        {"preheat without time", TlWithPreheat('S', 220, 0),
         "  TL to 450\260C\r\n  ramp rate 2\260C/s"},
        {"OSL", Osl(OperationKind::OSL, false),
         "  OSL  for 4.00s \r\n  device 20\r\n  power 90.0%\r\n  at temperature 125\260C"},
        {"bleach", Osl(OperationKind::OSL, true),
         "  bleach  for 4.00s \r\n  device 20\r\n  power 90.0%\r\n  at temperature 125\260C"},
        {"LM-OSL", Osl(OperationKind::LMOSL, false),
         "  LM-OSL  for 4.00s \r\n  device 20\r\n  power 90.0%\r\n  at temperature 125\260C"},
        {"LM-OSL preshine", Osl(OperationKind::LMOSL, true),
         "  preshine  for 4.00s \r\n  device 20\r\n  power 90.0%\r\n  at temperature 125\260C"},
        {"VM-OSL preshine", Osl(OperationKind::VMOSL, true),
         "  preshine  for 4.00s \r\n  device 20\r\n  power 90.0%\r\n  at temperature 125\260C"},
        {"VM-OSL of many seconds", Osl(OperationKind::VMOSL, false, 12345),
         "  VM-OSL  for 1234.50s \r\n  device 20\r\n  power 90.0%\r\n  at temperature 125\260C"},
        {"irradiation", Irradiation(),
         "  irradiation for 100 s\r\n  device 110\r\n  dose 12.35 Gy\r\n  at temperature 20\260C"},
        {"none", OfKind(OperationKind::None), "  "},
        {"point query", OfKind(OperationKind::PointQuery), "  "},
        {"normalization of no kind", OfKind(OperationKind::None, Norm), "  normalization "},
        {"background query", OfKind(OperationKind::PointQuery, Bgd), "  background "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeOperation(c.operation), c.text) << c.name;
    }
}

} // namespace
} // namespace gw
