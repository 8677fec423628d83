#include "engine/DataFileReader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int Records = 40000;
constexpr int PointsPerRecord = 75;

// About 100 MB of dialog TL and OSL records of one channel, written like the console writes them.
const std::filesystem::path& NightOfRecords() {
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() / "gw_bench_data_file.txt";
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        char line[128];
        for (int r = 0; r < Records; ++r) {
            const bool tl = r % 2 == 0;
            out << "[NewRecord]\r\nTitle=night run\r\nDisk=" << r % 60 + 1 << "\r\nDataType="
                << (tl ? "TL\r\nMaxTemp=450\r\nRampRate=5" : "OSL\r\nSampleTemp=125\r\nPower=90.00")
                << "\r\nStarted=09.12.2026 01:02:03\r\nStopped=09.12.2026 01:04:03\r\nPoints="
                << PointsPerRecord << "\r\n";
            for (int i = 0; i < PointsPerRecord; ++i) {
                std::snprintf(line, sizeof line, "%3d; %8.3f; %8.3f;  valid\r\n", i,
                              tl ? 25.0 + i * 5.7 : 0.1 * (i + 1), 1000.0 / (1 + i % 17) + r % 7);
                out << line;
            }
        }
        return file;
    }();
    return path;
}

class CountingSink : public gw::DataFileSink {
public:
    void header(gw::DataFileHeader) override {}
    void record(gw::DataFileRecord record) override {
        ++records;
        points += record.points.size();
    }
    int records = 0;
    std::size_t points = 0;
};

// Reading the whole file: every record with its keys and points.
void ReadHundredMegabytes(benchmark::State& run) {
    const auto& path = NightOfRecords();
    for (auto _ : run) {
        CountingSink sink;
        const gw::DataFileReadStatus status = gw::DataFileReader::ReadWhole(path, sink);
        if (!status.ok() || sink.records != Records) {
            run.SkipWithError("the file did not read back");
        }
        benchmark::DoNotOptimize(sink.points);
    }
    run.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    run.SetBytesProcessed(static_cast<std::int64_t>(run.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(ReadHundredMegabytes)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
