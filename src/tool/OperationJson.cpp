#include "tool/OperationJson.h"

#include "engine/OperationDescription.h"
#include "engine/OperationTime.h"
#include "profile/ProfileJson.h"

#include <charconv>
#include <cmath>

namespace gw::tool {

namespace {

std::string Letter(char letter) {
    return JsonText(letter == 0 ? std::string() : std::string(1, letter));
}

std::string Array(const std::array<std::int32_t, 4>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(values[i]);
    }
    return text + "]";
}

class Fields {
public:
    void Add(const char* name, const std::string& json) {
        text_ += (text_.empty() ? "{" : ", ") + std::string("\"") + name + "\": " + json;
    }
    void Add(const char* name, std::int32_t value) { Add(name, std::to_string(value)); }
    std::string Close() const { return text_ + "}"; }

private:
    std::string text_;
};

} // namespace

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string OperationToJson(const TDataType& op) {
    Fields f;
    f.Add("Kind", int(op.Kind));
    f.Add("QueryKind", int(op.QueryKind));
    f.Add("Treatment", op.Treatment);
    f.Add("Purpose", op.Purpose);
    f.Add("UseHoles", op.UseHoles);
    f.Add("ScannerWait", op.ScannerWait);
    f.Add("DataFile", JsonText(op.DataFile));
    f.Add("InfoText", JsonText(op.InfoText));
    f.Add("Complete", op.Complete);
    f.Add("ForceMove", op.ForceMove);
    f.Add("WriteHeader", op.WriteHeader);
    f.Add("FromScript", op.FromScript);
    f.Add("StopAfter", op.StopAfter);
    f.Add("Started", JsonNumber(op.Started));
    f.Add("Stopped", JsonNumber(op.Stopped));
    f.Add("TimeoutMs", op.TimeoutMs);
    f.Add("Disk", op.Disk);
    f.Add("Hole", op.Hole);
    f.Add("Points", op.Points);
    f.Add("Remark", JsonText(op.Remark));
    f.Add("Temperature", op.Temperature);
    f.Add("Device", op.Device);
    f.Add("Increment", op.Increment);
    f.Add("CoolTemp", op.CoolTemp);
    f.Add("HoldTime", op.HoldTime);
    f.Add("PreheatTemp", op.PreheatTemp);
    f.Add("PreheatTime", op.PreheatTime);
    f.Add("OSDevice", op.OSDevice);
    f.Add("OSStart", op.OSStart);
    f.Add("OSStop", op.OSStop);
    f.Add("PreheatType", Letter(op.PreheatType));
    f.Add("OSActive", op.OSActive);
    f.Add("RampRate", op.RampRate);
    f.Add("OSPower", JsonNumber(op.OSPower));
    f.Add("Power", JsonNumber(op.Power));
    f.Add("PowerIncrement", op.PowerIncrement);
    f.Add("XFactor", op.XFactor);
    f.Add("YFactor", op.YFactor);
    f.Add("X", Array(op.X));
    f.Add("Y", Array(op.Y));
    f.Add("N", Array(op.N));
    f.Add("BleachTime", JsonNumber(op.BleachTime));
    f.Add("Source", Letter(op.Source));
    f.Add("IrradPosition", op.IrradPosition);
    f.Add("IrradTime", op.IrradTime);
    f.Add("PositionOffset", op.PositionOffset);
    f.Add("ArmOffset", op.ArmOffset);
    f.Add("Dose", JsonNumber(op.Dose));
    f.Add("QueryPoint", op.QueryPoint);
    f.Add("description", JsonText(DescribeOperation(op)));
    f.Add("estimatedTime", JsonNumber(EstimatedTime(op)));
    return f.Close();
}

} // namespace gw::tool
