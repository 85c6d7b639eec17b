// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "chart_data.h"

#include "value_text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace planewall {

namespace {

constexpr std::string_view kSubscriptZero = "\u2080";

std::vector<double> evenlySpaced(double from, double to, int count)
{
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values[static_cast<std::size_t>(i)] = from + (to - from) * i / (count - 1);
    values.back() = to;
    return values;
}

std::vector<double> logSpaced(double from, double to, int count)
{
    std::vector<double> values(static_cast<std::size_t>(count));
    const double a = std::log10(from), b = std::log10(to);
    for (int i = 0; i < count; ++i)
        values[static_cast<std::size_t>(i)] = std::pow(10.0, a + (b - a) * i / (count - 1));
    values.front() = from;
    values.back() = to;
    return values;
}

// The history's times: evenly spaced from 0 to the span, and closer together near the start,
// where a face meeting a strong fluid changes fastest.
std::vector<double> historyFos(double span)
{
    std::vector<double> fos = evenlySpaced(0, span, kHistoryPoints);
    const double firstStep = fos[1];
    for (double fo : logSpaced(span * 1e-4, firstStep, kEarlyPoints + 1)) {
        if (fo < firstStep)
            fos.push_back(fo);
    }
    std::ranges::sort(fos);
    return fos;
}

double shownTemperature(const ChartFrame &frame, double theta)
{
    return frame.tInf + theta * frame.tDifference;
}

std::string temperatureText(const ChartFrame &frame, double theta)
{
    return formatWithUnit(shownTemperature(frame, theta), frame.temperatureUnit, 4);
}

std::string timeText(const ChartFrame &frame, double fo)
{
    return frame.timeName + " = " + formatWithUnit(fo * frame.timePerFo, frame.timeUnit, 3);
}

std::string lengthText(const ChartFrame &frame, double xStar)
{
    return frame.lengthName + " = "
        + formatWithUnit(xStar * frame.lengthPerXStar, frame.lengthUnit, 4);
}

ChartAxis linearAxis(std::string title, double min, double max)
{
    return {std::move(title), min, max, false, niceStep(min, max)};
}

// The temperature axis: from the lower to the higher of Ti and T∞, out to the labels' round
// numbers beyond them.
ChartAxis temperatureAxis(const ChartFrame &frame)
{
    double low = std::min(frame.tInf, frame.tInf + frame.tDifference);
    double high = std::max(frame.tInf, frame.tInf + frame.tDifference);
    if (!(high > low)) {
        const double pad = std::max(1.0, std::abs(high) * 0.05);
        low -= pad;
        high += pad;
    }
    const double step = niceStep(low, high);
    if (step > 0) {
        low = std::floor(low / step) * step;
        high = std::ceil(high / step) * step;
    }
    return {axisTitle(frame.temperatureName, frame.temperatureUnit), low, high, false, step};
}

ChartAxis timeAxis(const ChartFrame &frame, double span)
{
    return linearAxis(axisTitle(frame.timeName, frame.timeUnit), 0, span * frame.timePerFo);
}

ChartSeries series(std::string name, Stroke stroke, int colour)
{
    ChartSeries s;
    s.name = std::move(name);
    s.stroke = stroke;
    s.colour = colour;
    return s;
}

// A vertical line at the shown time t through the temperature axis' range.
ChartSeries timeMark(const ChartFrame &frame, const ChartAxis &y, int colour)
{
    const double t = frame.fo * frame.timePerFo;
    ChartSeries s = series((frame.solvedTime ? "solved " : "") + timeText(frame, frame.fo),
                           Stroke::Dotted, colour);
    s.points = {{t, y.min}, {t, y.max}};
    return s;
}

std::string listed(const std::vector<std::string> &items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::string_view chartKey(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Profile:
        return "profile";
    case ChartKind::History:
        return "history";
    case ChartKind::Energy:
        return "energy";
    case ChartKind::Heisler:
        return "heisler";
    case ChartKind::Residuals:
        return "residuals";
    }
    return "";
}

std::optional<ChartKind> chartKindOf(std::string_view key)
{
    for (ChartKind kind : kChartKinds) {
        if (chartKey(kind) == key)
            return kind;
    }
    return std::nullopt;
}

double niceStep(double min, double max)
{
    const double span = max - min;
    if (!(span > 0) || !std::isfinite(span))
        return 0;
    const double raw = span / 6;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= raw * (1 - 1e-12))
            return factor * magnitude;
    }
    return 10 * magnitude;
}

double referenceFo(const ChartFrame &frame)
{
    return frame.fo > 0 ? frame.fo : kReferenceFoAtStart;
}

double spanFo(const ChartFrame &frame)
{
    const double latest = std::max(frame.fo, frame.givenFo.value_or(0));
    return 2 * (latest > 0 ? latest : kReferenceFoAtStart);
}

ChartData profileChart(const WallSolution &wall, const ChartFrame &frame)
{
    ChartData chart{
        .kind = ChartKind::Profile,
        .title = "Temperature across the half-wall",
        .description = {},
        .x = linearAxis(axisTitle(frame.lengthName, frame.lengthUnit), 0, frame.lengthPerXStar),
        .y = temperatureAxis(frame),
        .ySecondary = std::nullopt,
        .series = {}};
    const std::vector<double> xs = evenlySpaced(0, 1, kProfilePoints);
    std::vector<double> thetas(xs.size());
    const double fo = referenceFo(frame);
    std::vector<std::string> times;
    int colour = 0;
    for (double factor : kProfileTimeFactors) {
        const double foK = fo * factor;
        wall.thetaProfile(xs, foK, thetas);
        // A time alone ("2.5 min") names a curve well enough and keeps the legend's five
        // entries short; Fo is named, since a bare number would say nothing.
        ChartSeries s = series(frame.timeUnit.empty()
                                   ? timeText(frame, foK)
                                   : formatWithUnit(foK * frame.timePerFo, frame.timeUnit, 3),
                               Stroke::Solid, colour++);
        s.points.reserve(xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            s.points.push_back({xs[i] * frame.lengthPerXStar, shownTemperature(frame, thetas[i])});
        chart.series.push_back(std::move(s));
        times.push_back(formatWithUnit(foK * frame.timePerFo, frame.timeUnit, 3));
    }
    chart.description = "Curves of " + frame.temperatureName + " against " + frame.lengthName
        + " from the mid-plane, " + lengthText(frame, 0) + ", to the face, " + lengthText(frame, 1)
        + ", at " + frame.timeName + " = " + listed(times) + ". The wall starts at "
        + temperatureText(frame, 1) + " and tends to the fluid's " + temperatureText(frame, 0)
        + ".";
    return chart;
}

ChartData historyChart(const WallSolution &wall, const ChartFrame &frame)
{
    const double span = spanFo(frame);
    ChartData chart{.kind = ChartKind::History,
                    .title = "Temperature against time",
                    .description = {},
                    .x = timeAxis(frame, span),
                    .y = temperatureAxis(frame),
                    .ySecondary = std::nullopt,
                    .series = {}};
    const std::vector<double> fos = historyFos(span);
    std::vector<double> thetas(fos.size());
    const auto add = [&](std::string name, int colour, auto thetaAt) {
        ChartSeries s = series(std::move(name), Stroke::Solid, colour);
        s.points.reserve(fos.size());
        for (std::size_t i = 0; i < fos.size(); ++i)
            s.points.push_back({fos[i] * frame.timePerFo, shownTemperature(frame, thetaAt(i))});
        chart.series.push_back(std::move(s));
    };
    const auto atPoint = [&](double xStar, std::string name, int colour) {
        wall.thetaHistory(xStar, fos, thetas);
        add(std::move(name), colour, [&](std::size_t i) { return thetas[i]; });
    };
    std::vector<std::string> curves = {"the centre", "the surface"};
    atPoint(0, "centre, " + lengthText(frame, 0), 0);
    atPoint(1, "surface, " + lengthText(frame, 1), 1);
    if (frame.xStar > 0 && frame.xStar < 1) {
        atPoint(frame.xStar, lengthText(frame, frame.xStar), 2);
        curves.push_back(lengthText(frame, frame.xStar));
    }
    if (frame.targetTheta && frame.targetOnMean) {
        add("mean over the wall", 3, [&](std::size_t i) { return wall.meanTheta(fos[i]); });
        curves.push_back("the mean over the wall");
    }
    chart.description = "Curves of " + frame.temperatureName + " against " + frame.timeName
        + " from 0 to " + formatWithUnit(span * frame.timePerFo, frame.timeUnit, 3) + " at "
        + listed(curves) + ".";
    if (frame.targetTheta) {
        ChartSeries target
            = series("target " + temperatureText(frame, *frame.targetTheta), Stroke::Dotted, 4);
        const double y = shownTemperature(frame, *frame.targetTheta);
        target.points = {{chart.x.min, y}, {chart.x.max, y}};
        chart.series.push_back(std::move(target));
        chart.description += " A horizontal line marks the target, "
            + temperatureText(frame, *frame.targetTheta)
            + (frame.targetOnMean ? " on the mean" : "") + ".";
    }
    if (frame.fo > 0) {
        chart.series.push_back(timeMark(frame, chart.y, 5));
        chart.description += std::string(" A vertical line marks ")
            + (frame.solvedTime ? "the solved time, " : "the time ") + timeText(frame, frame.fo)
            + ".";
    }
    return chart;
}

ChartData energyChart(const WallSolution &wall, const ChartFrame &frame)
{
    const double span = spanFo(frame);
    const std::string ratio = "Q/Q" + std::string(kSubscriptZero);
    ChartData chart{.kind = ChartKind::Energy,
                    .title = "Energy given up against time",
                    .description = {},
                    .x = timeAxis(frame, span),
                    .y = linearAxis(ratio, 0, 1),
                    .ySecondary = std::nullopt,
                    .series = {}};
    if (frame.initialEnergy && *frame.initialEnergy != 0)
        chart.ySecondary = SecondaryAxis{axisTitle("Q", frame.energyUnit), *frame.initialEnergy};
    const std::vector<double> fos = historyFos(span);
    ChartSeries exact = series("exact", Stroke::Solid, 0);
    ChartSeries oneTerm = series("one-term", Stroke::Dashed, 1);
    ChartSeries lumped = series("lumped", Stroke::Dotted, 2);
    for (ChartSeries *s : {&exact, &oneTerm, &lumped})
        s->points.reserve(fos.size());
    for (double fo : fos) {
        const double t = fo * frame.timePerFo;
        exact.points.push_back({t, wall.energyRatio(fo)});
        oneTerm.points.push_back({t, wall.oneTermEnergyRatio(fo)});
        lumped.points.push_back({t, 1 - wall.lumpedTheta(fo)});
    }
    chart.series = {std::move(exact), std::move(oneTerm), std::move(lumped)};
    chart.description = "The share " + ratio + " of the initial energy the wall has given up, "
        + "against " + frame.timeName + " from 0 to "
        + formatWithUnit(span * frame.timePerFo, frame.timeUnit, 3)
        + ": exact (solid), by the one-term approximation (dashed) and by the lumped one "
          "(dotted).";
    if (chart.ySecondary)
        chart.description += " The right axis gives Q per unit area of one face.";
    if (frame.fo > 0) {
        chart.series.push_back(timeMark(frame, chart.y, 5));
        chart.description += " A vertical line marks " + timeText(frame, frame.fo) + ".";
    }
    return chart;
}

ChartData heislerChart(const ChartFrame &frame)
{
    const std::string theta0 = "\u03B8*" + std::string(kSubscriptZero);
    ChartData chart{.kind = ChartKind::Heisler,
                    .title = "Centre temperature (the Heisler chart, exact)",
                    .description = {},
                    .x = {"Fo", kHeislerFoMin, kHeislerFoMax, true, 0},
                    .y = {theta0 + " at the centre", kHeislerThetaMin, kHeislerThetaMax, true, 0},
                    .ySecondary = std::nullopt,
                    .series = {}};
    const std::vector<double> fos = logSpaced(kHeislerFoMin, kHeislerFoMax, kHeislerPoints);
    std::vector<double> thetas(fos.size());
    // Each curve ends at the first point below the axis, so that it reaches the axis' edge;
    // the log axis cannot take what lies below that.
    const auto trimmed = [&](auto thetaAt) {
        std::vector<ChartPoint> points;
        points.reserve(fos.size());
        for (std::size_t i = 0; i < fos.size(); ++i) {
            const double theta = thetaAt(i);
            if (!(theta > 0))
                break;
            points.push_back({fos[i], theta});
            if (theta < kHeislerThetaMin)
                break;
        }
        return points;
    };
    std::vector<std::string> bis;
    int colour = 0;
    for (double factor : kHeislerBiotFactors) {
        const double bi = frame.bi * factor;
        const std::string name = "Bi = " + formatSignificant(bi, 3);
        if (!bis.empty() && frame.bi == 0)
            break; // every multiple of 0 is the same curve
        const WallSolution wall(bi);
        wall.thetaHistory(0, fos, thetas);
        ChartSeries exact = series(name, Stroke::Solid, colour);
        exact.points = trimmed([&](std::size_t i) { return thetas[i]; });
        ChartSeries oneTerm = series(name + ", one-term", Stroke::Dashed, colour);
        oneTerm.points = trimmed([&](std::size_t i) { return wall.oneTermTheta(0, fos[i]); });
        chart.series.push_back(std::move(exact));
        chart.series.push_back(std::move(oneTerm));
        bis.push_back(formatSignificant(bi, 3));
        ++colour;
    }
    chart.description = "Log-log curves of the centre's " + theta0 + " against Fo from "
        + formatSignificant(kHeislerFoMin, 3) + " to " + formatSignificant(kHeislerFoMax, 3)
        + " for Bi = " + listed(bis)
        + ", each exact (solid) and by the one-term approximation (dashed).";
    if (frame.fo >= kHeislerFoMin && frame.fo <= kHeislerFoMax) {
        const double theta = WallSolution(frame.bi).theta(0, frame.fo);
        if (theta >= kHeislerThetaMin) {
            ChartSeries point = series("this wall at " + timeText(frame, frame.fo), Stroke::Points,
                                       frame.bi == 0 ? 0 : 2);
            point.points = {{frame.fo, theta}};
            chart.series.push_back(std::move(point));
            chart.description += " A point marks this wall's centre at Fo = "
                + formatSignificant(frame.fo, 3) + ".";
        }
    }
    return chart;
}

ChartData chart(ChartKind kind, const WallSolution &wall, const ChartFrame &frame)
{
    switch (kind) {
    case ChartKind::Profile:
        return profileChart(wall, frame);
    case ChartKind::History:
        return historyChart(wall, frame);
    case ChartKind::Energy:
        return energyChart(wall, frame);
    case ChartKind::Heisler:
        return heislerChart(frame);
    case ChartKind::Residuals:
        break; // drawn from a fit, not from the wall alone
    }
    throw std::invalid_argument("chart: unknown kind");
}

Charts allCharts(const WallSolution &wall, const ChartFrame &frame)
{
    return {profileChart(wall, frame), historyChart(wall, frame), energyChart(wall, frame),
            heislerChart(frame)};
}

std::string chartCsv(const ChartData &chart)
{
    std::string csv = "series," + csvField(chart.x.title) + "," + csvField(chart.y.title);
    if (chart.ySecondary)
        csv += "," + csvField(chart.ySecondary->title);
    csv += "\r\n";
    for (const ChartSeries &s : chart.series) {
        const std::string name = csvField(s.name);
        for (const ChartPoint &p : s.points) {
            csv += name + "," + formatShortest(p.x) + "," + formatShortest(p.y);
            if (chart.ySecondary)
                csv += "," + formatShortest(p.y * chart.ySecondary->factor);
            csv += "\r\n";
        }
    }
    return csv;
}

} // namespace planewall
