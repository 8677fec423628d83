#include "PrepareHelper.h"

#include <gtest/gtest.h>
#include <random>

namespace gw {
namespace {

// Argument texts from the ordinary to the absurd, variables with and without values included.
const std::vector<std::string> ArgumentTexts = {
    "0",    "1",     "2",    "3",     "5",    "8",     "9",    "-1",  "-40",
    "0.5",  "20",    "100",  "150",   "450",  "65.1",  "255",  "256", "1E6",
    "1E12", "-1E12", "Dose", "Twice", "Huge", "Blank", "0.001"};

const std::vector<std::pair<std::string, int>> Commands = {
    {"TL", 6},    {"TLBGD", 3},      {"PREHEAT", 4},  {"OSL", 6},
    {"DOSL", 11}, {"MOSL", 4},       {"DMOSL", 11},   {"BLEACH", 4},
    {"IRRAD", 4}, {"NORM IRRAD", 4}, {"NORM BGD", 0}, {"NODATA OSL", 6}};

std::string RandomCommand(std::mt19937& random) {
    const auto& [word, count] = Commands[random() % Commands.size()];
    std::string line = word;
    if (count == 0) {
        return line;
    }
    line += "(";
    for (int i = 0; i < count; ++i) {
        line += (i > 0 ? ", " : "") + ArgumentTexts[random() % ArgumentTexts.size()];
    }
    return line + ")";
}

SystemProfile RandomProfile(std::mt19937& random) {
    SystemProfile p = DefaultProfile(std::int16_t(random() % 5));
    p.WhatBIrrad = std::int16_t(random() % 5);
    p.BetaDoseRateLow = random() % 2 == 0 ? 0.05 : 0;
    p.BetaDoseRateHigh = 0.2;
    p.GammaCalibDate = random() % 2 == 0 ? PackedDate::Pack(2001, 2, 3) : PackedDate{};
    p.GammaDoseRate = 0.01 * double(random() % 3);
    p.BetaHalfLife = random() % 3 == 0 ? 1e-6 : 28.8; // a source all but gone
    p.Devices.FilterWheel471 = random() % 2 == 0;
    p.Devices.IRLEDs471 = random() % 2 == 0;
    return p;
}

TEST(PrepareFuzz, EveryStepIsPreparedSoundlyOrRefusedWithAReason) {
    std::mt19937 random(20261209);
    const std::vector<WarningResult> answers = {WarningResult::Abort, WarningResult::Ignore,
                                                WarningResult::IgnoreAll, WarningResult::Cancel};
    int prepared = 0;
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines;
        for (int i = 0; i < 6; ++i) {
            lines.push_back(RandomCommand(random));
        }
        auto run = test::CompileAndPlace(
            test::OneDisk(lines, {"Dose = 5", "Twice = 2*3", "Huge = 1E200*1E200", "Blank = ?"}),
            RandomProfile(random));
        ASSERT_FALSE(run->script->error) << run->script->errorMessage;
        run->today = {2030, 6, 15};
        run->veltrax = random() % 2 == 0;
        for (int i = 0; i < 12; ++i) {
            run->prompter.warnings.push_back(answers[random() % answers.size()]);
            run->prompter.numbers.push_back(random() % 2 == 0 ? std::optional<double>(4.0)
                                                              : std::nullopt);
        }
        sc_Item& disk = run->Disk(0);
        TDataType record;
        for (std::size_t step = 0; step < lines.size(); ++step) {
            SCOPED_TRACE(std::next(disk.commands.begin(), long(step))->name +
                         std::next(disk.commands.begin(), long(step))->arguments);
            const std::size_t warningsBefore = run->prompter.warnings.size();
            const PreparationResult result = run->Next(disk, record);
            if (!result.ok) {
                ++refused;
                const bool answeredAbort = run->prompter.warnings.size() < warningsBefore;
                EXPECT_TRUE(!result.message.empty() || answeredAbort);
                break;
            }
            ++prepared;
            EXPECT_GE(record.TimeoutMs, 0);
            EXPECT_GE(record.Points, 0);
            EXPECT_LE(record.Points, 1020);
            if (IsOslKind(record.Kind)) {
                int points = 0;
                for (int i = 0; i < 4; ++i) {
                    EXPECT_GE(record.N[i], 0);
                    EXPECT_LE(record.N[i], 255);
                    EXPECT_LE(record.X[i], 255);
                    EXPECT_LE(record.Y[i], 255);
                    points += record.N[i];
                }
                if (!record.isTreatment() || record.Device < 10 || record.Device > 19) {
                    EXPECT_EQ(points, record.Points);
                }
            }
            if (record.Kind == OperationKind::Irradiation) {
                EXPECT_GE(record.IrradTime, 0);
                EXPECT_TRUE(std::isfinite(record.Dose));
            }
        }
    }
    EXPECT_GT(prepared, 300);
    EXPECT_GT(refused, 30);
}

} // namespace
} // namespace gw
