// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The explorer's chart update and painting, offscreen: how long a change of the inputs takes to
// reach the four charts (the study on its worker thread, then the series replaced on the GUI
// thread), and how long the charts then take to paint. Run with
//   build/release/bench/planewall_explorer_bench --benchmark_repetitions=15
//       --benchmark_report_aggregates_only=true
// (one line) and read the medians.

#include "chart_view.h"
#include "explorer_form.h"
#include "study.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

using namespace planewall;

namespace {

// The explorer's first wall, with h alternating so that every run replaces every series with
// new points, as typing does.
ExplorerFields fieldsFor(int run)
{
    ExplorerForm form;
    form.type(Input::H, run % 2 == 0 ? "500" : "520");
    return form.snapshot();
}

struct Views
{
    Views()
    {
        const Study study = studyFromFields(fieldsFor(1));
        for (std::size_t i = 0; i < views.size(); ++i) {
            views[i] = std::make_unique<ChartView>();
            views[i]->setAttribute(Qt::WA_DontShowOnScreen);
            views[i]->resize(800, 600);
            views[i]->show();
            views[i]->setChartData((*study.charts)[i]);
        }
        QApplication::processEvents();
    }
    std::array<std::unique_ptr<ChartView>, 4> views;
};

Views &views()
{
    static Views v;
    return v;
}

// The whole update: the study, then every series of the four charts replaced.
void ChartUpdate(benchmark::State &state)
{
    Views &v = views();
    int run = 0;
    for (auto _ : state) {
        const Study study = studyFromFields(fieldsFor(run++));
        for (std::size_t i = 0; i < v.views.size(); ++i)
            v.views[i]->setChartData((*study.charts)[i]);
    }
}
BENCHMARK(ChartUpdate)->Unit(benchmark::kMillisecond);

// Its two halves.
void StudyOnly(benchmark::State &state)
{
    int run = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(studyFromFields(fieldsFor(run++)));
}
BENCHMARK(StudyOnly)->Unit(benchmark::kMillisecond);

void ReplaceSeriesOnly(benchmark::State &state)
{
    Views &v = views();
    const std::array<Study, 2> studies
        = {studyFromFields(fieldsFor(0)), studyFromFields(fieldsFor(1))};
    int run = 0;
    for (auto _ : state) {
        const Study &study = studies[static_cast<std::size_t>(run++ % 2)];
        for (std::size_t i = 0; i < v.views.size(); ++i)
            v.views[i]->setChartData((*study.charts)[i]);
    }
}
BENCHMARK(ReplaceSeriesOnly)->Unit(benchmark::kMillisecond);

// Painting one chart at 800x600, as the window paints the chart in view; Arg is the chart
// (0 profile, 1 history, 2 energy, 3 heisler).
void PaintChart(benchmark::State &state)
{
    ChartView &view = *views().views[static_cast<std::size_t>(state.range(0))];
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.render(&painter);
    }
}
BENCHMARK(PaintChart)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
