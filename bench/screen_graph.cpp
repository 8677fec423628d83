// The live graph with a long curve on screen (offscreen platform): points arrive at 550 a second
// and reach the series in batches of 100 ms, so one iteration is one batch of 55 points handed
// over and painted onto a curve that already holds `range(0)` points. Ten batches make a second
// of line time.
#include "ScreenBenchMain.h"
#include "windows/views/LiveChart.h"

#include <QApplication>
#include <QLineSeries>
#include <benchmark/benchmark.h>

namespace {

constexpr int BatchPoints = 55;

void AddPoints(gw::LiveChart& chart, int from, int count) {
    for (int i = from; i < from + count; ++i) {
        chart.addCurvePoint(0, 0.01 * i, 1000.0 + (i * 37) % 997);
    }
}

void BatchOntoLongCurve(benchmark::State& run) {
    const int length = int(run.range(0));
    gw::LiveChart chart;
    chart.resize(800, 500);
    chart.setXUpperLimit(0.01 * (length + 20 * BatchPoints));
    chart.show();
    int next = 0;
    for (auto _ : run) {
        if (next == 0 || next > length + 10 * BatchPoints) {
            run.PauseTiming();
            chart.clearChart();
            AddPoints(chart, 0, length);
            chart.flush();
            chart.repaint();
            next = length;
            run.ResumeTiming();
        }
        AddPoints(chart, next, BatchPoints);
        next += BatchPoints;
        chart.flush();
        chart.repaint();
    }
    run.counters["series_points"] = double(chart.seriesPointCount(0));
    run.counters["batches_per_s"] = 10;
}
BENCHMARK(BatchOntoLongCurve)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return gw::bench::RunWithWindows(argc, argv);
}
