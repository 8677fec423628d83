#include "engine/DialogRecords.h"
#include "platform/AppendRecord.h"
#include "platform/FileSync.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A TL of 500 points, as the dialog writes it.
std::vector<std::string> TlRecord() {
    gw::TDataType op;
    op.Kind = gw::OperationKind::TL;
    op.Disk = 7;
    op.Temperature = 500;
    op.Increment = 1;
    op.RampRate = 5;
    op.Points = 500;
    gw::PointTable points;
    for (int i = 0; i < op.Points; ++i) {
        points[i] = {double(i + 1), {1000.0 + i, 0, 0, 0}, 0, 1};
    }
    return gw::TlDialogRecord(op, points, {}, gw::DataFileFormat());
}

// A data file of about `bytes` bytes of earlier records, in the temporary folder ($TMPDIR).
std::filesystem::path DataFileOf(std::uintmax_t bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("gw-bench-append-" + std::to_string(bytes) + ".txt");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string line = "123;  123.000;  4567.000;  valid\r\n";
    for (std::uintmax_t written = 0; written < bytes; written += line.size()) {
        out << line;
    }
    out.close();
    // The earlier records are on the disk already, as in a lab's file.
    gw::platform::SyncFileToDisk(path);
    return path;
}

// One record appended and forced to disk; the file is cut back and synced afterwards (untimed)
// so that every iteration appends to a file of the same size.
void AppendRecord(benchmark::State& state) {
    const auto bytes = static_cast<std::uintmax_t>(state.range(0));
    const std::filesystem::path path = DataFileOf(bytes);
    const std::uintmax_t size = std::filesystem::file_size(path);
    const std::vector<std::string> record = TlRecord();
    for (auto _ : state) {
        const gw::platform::AppendOutcome outcome =
            gw::platform::AppendRecord(path.string(), record);
        if (!outcome.written) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        state.PauseTiming();
        std::filesystem::resize_file(path, size);
        gw::platform::SyncFileToDisk(path);
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    state.SetLabel(std::to_string(bytes / 1024) + " KiB file");
}

BENCHMARK(AppendRecord)
    ->Arg(1024)
    ->Arg(100 * 1024 * 1024)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace
