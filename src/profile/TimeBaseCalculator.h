#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace gw {

// Which calculation MakeTB runs: plain OSL periods or a modulated (LM/VM) ramp.
enum class TimeBasePage { OSL, MOSL };

enum class TimeBaseOutcome {
    Planned,
    // LM-OSL or VM-OSL found no ramp; the channel counts and results keep their earlier values.
    NoSolution,
    // The input cannot be measured with the reader's time bases; nothing but X/Y was changed.
    CannotBePlanned,
};

struct TimeBaseResult {
    TimeBaseOutcome outcome = TimeBaseOutcome::Planned;
    std::string message; // why the input cannot be planned

    bool planned() const { return outcome == TimeBaseOutcome::Planned; }
};

// X * Y ms, the channel width of one time base.
struct ChannelWidth {
    int X = 0;
    int Y = 0;
};

// Plans the four time bases of an OSL curve. The reader records at most four bases of up to 255
// channels each; base i has channels of X(i) * Y(i) ms (X and Y 1..255). The caller sets the
// inputs, runs MakeTB and reads the results; the state carries over from one use to the next.
// Indices 0..3 stand for time bases 1..4 (X1..X4, TB0..TB3).
class TimeBaseCalculator {
public:
    static constexpr int Bases = 4;
    static constexpr int MaxChannels = 255;
    // The widest channel: 255 x 255 ms.
    static constexpr int MaxWidthMs = 65025;

    TimeBaseCalculator();

    // Expresses a width in ms as X * Y; widths above the cap give 0 x 0, and so does the cap
    // itself, whose only split would need X = 256.
    static ChannelWidth SplitWidth(long long widthMs);

    TimeBaseResult MakeTB();

    // Selecting the OSL page puts the default widths back and closes them for editing; selecting
    // the MOSL page clears the time of a point.
    void selectPage(TimeBasePage page);
    TimeBasePage page() const { return page_; }

    int X(int i) const { return x_[i]; }
    int Y(int i) const { return y_[i]; }
    int N(int i) const { return n_[i]; }
    // Values are kept to one byte, 0..255; a change recomputes the derived values.
    void setX(int i, int value);
    void setY(int i, int value);
    void setN(int i, int value);
    // Whether the operator may edit X and Y (series 66xx and the MOSL page).
    bool XYEditable() const { return xyEditable_; }

    double TB(int i) const { return widthMs(i) / 1000.0; }
    double TT(int i) const { return double(n_[i]) * widthMs(i) / 1000.0; }
    int TotPts() const;
    double TotTime() const;

    double LumTime() const { return lumTime_; }
    double BleachTime() const { return bleachTime_; }
    double BgdTime() const { return bgdTime_; }
    double TotOSL() const { return lumTime_ + bleachTime_ + bgdTime_; }
    void setLumTime(double seconds) { lumTime_ = seconds; }
    void setBleachTime(double seconds) { bleachTime_ = seconds; }
    void setBgdTime(double seconds) { bgdTime_ = seconds; }

    // Reader series: 0 "series 35xx", 1 "series 66xx".
    int System() const { return system_; }
    void setSystem(int system) { system_ = system; }
    bool VTXCheckBox() const { return veltrax_; }
    void setVTXCheckBox(bool on) { veltrax_ = on; }

    double MaxPower() const { return maxPower_; }
    void setMaxPower(double percent) { maxPower_ = percent; }
    double MOSLTime() const { return moslTime_; }
    void setMOSLTime(double seconds) { moslTime_ = seconds; }
    // 0 LM-OSL, 1 VM-OSL.
    int KindOfModulation() const { return kindOfModulation_; }
    void setKindOfModulation(int kind);

    int IncrementLab() const { return incrementLab_; }
    double EndPowerLab() const { return endPowerLab_; }
    double TotalTimeLab() const { return totalTimeLab_; }
    int TotalPointsLab() const { return totalPointsLab_; }
    double TimeOfPointLab() const { return timeOfPointLab_; }
    // The time of a point means nothing for VM-OSL and is shown grey there.
    bool TimeOfPointGrey() const { return timeOfPointGrey_; }

private:
    long long widthMs(int i) const { return static_cast<long long>(x_[i]) * y_[i]; }
    void setDefaultWidths(bool editable);
    void setWidth(int i, ChannelWidth width);

    TimeBaseResult veltraxScheme();
    TimeBaseResult seriesScheme();
    TimeBaseResult lmOsl();
    TimeBaseResult vmOsl();

    TimeBasePage page_ = TimeBasePage::OSL;
    std::array<std::uint8_t, Bases> x_{};
    std::array<std::uint8_t, Bases> y_{};
    std::array<std::uint8_t, Bases> n_{};
    bool xyEditable_ = false;
    double lumTime_ = 0.0;
    double bleachTime_ = 0.0;
    double bgdTime_ = 0.0;
    int system_ = 0;
    bool veltrax_ = false;
    double maxPower_ = 0.0;
    double moslTime_ = 0.0;
    int kindOfModulation_ = 0;
    int incrementLab_ = 0;
    double endPowerLab_ = 0.0;
    double totalTimeLab_ = 0.0;
    int totalPointsLab_ = 0;
    double timeOfPointLab_ = 0.0;
    bool timeOfPointGrey_ = false;
};

} // namespace gw
