// SPDX-FileCopyrightText: the planewall authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "study_fit.h"

#include "explorer_form.h"
#include "field_text.h"
#include "value_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace planewall {

namespace {

// The readings' own colour on the charts, apart from the study's curves, and the fitted curve's,
// which must show over the readings it passes through.
constexpr int kFitColour = 6;
constexpr int kFittedCurveColour = 4;

const Unit &unitOrSi(Quantity quantity, std::string_view symbol)
{
    return symbol.empty() ? unitsOf(quantity).front() : unitOf(quantity, symbol);
}

std::string countText(std::size_t count, const char *one, const char *many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The axis widened to hold [low, high], out to its labels' round numbers where it grows.
void widen(ChartAxis &axis, double low, double high)
{
    if (!(low < axis.min) && !(high > axis.max))
        return;
    const double min = std::min(axis.min, low), max = std::max(axis.max, high);
    const double step = niceStep(min, max);
    axis.min = step > 0 && min < axis.min ? std::floor(min / step) * step : min;
    axis.max = step > 0 && max > axis.max ? std::ceil(max / step) * step : max;
    axis.tickStep = niceStep(axis.min, axis.max);
}

std::vector<std::string> summaryOf(const FitResult &r, const FitPosed &posed)
{
    const Unit &hUnit = unitOrSi(Quantity::HeatTransferCoefficient, posed.hUnit);
    const auto h = [&](double si) { return formatWithUnit(fromSi(si, hUnit), hUnit.symbol); };
    std::vector<std::string> lines = {"h = " + h(r.h.value)};
    if (r.lowerBoundOnly)
        lines.push_back("95% lower bound: " + h(r.h.low)
                        + " (the readings bound h only from below)");
    else
        lines.push_back("95% interval: " + formatSignificant(fromSi(r.h.low, hUnit), 6) + " to "
                        + h(r.h.high));
    lines.push_back("Bi = " + formatSignificant(r.bi, 4));
    lines.push_back("RMS residual: " + formatWithUnit(r.rms, posed.scale, 3));
    lines.push_back("Readings used: " + std::to_string(r.points));
    return lines;
}

ChartData residualChart(const FitResult &r, const ChartAxis &time, std::string_view scale,
                        const Unit &timeUnit)
{
    double largest = 0;
    for (const FitPoint &p : r.fitted)
        largest = std::max(largest, std::abs(p.residual));
    if (!(largest > 0) || !std::isfinite(largest))
        largest = 1;
    const double step = niceStep(-largest, largest);
    const double bound = step > 0 ? std::ceil(largest / step) * step : largest;
    ChartData chart{.kind = ChartKind::Residuals,
                    .title = "Residuals: measured \u2212 fitted",
                    .description = {},
                    .x = time,
                    .y
                    = {axisTitle("\u0394T", scale), -bound, bound, false, niceStep(-bound, bound)},
                    .ySecondary = std::nullopt,
                    .series = {}};
    ChartSeries zero{"zero", {{time.min, 0}, {time.max, 0}}, Stroke::Dotted, kFitColour};
    ChartSeries residuals{"residual", {}, Stroke::Points, kFitColour};
    for (const FitPoint &p : r.fitted)
        residuals.points.push_back({fromSi(p.t, timeUnit), p.residual});
    chart.series = {std::move(zero), std::move(residuals)};
    chart.description = "The measured less the fitted temperature at each of the "
        + std::to_string(r.fitted.size()) + " readings, the largest "
        + formatWithUnit(largest, scale, 3) + " from zero.";
    return chart;
}

} // namespace

std::string readingsMessage(const ReadingsError &error)
{
    if (error.line() == 0)
        return error.what();
    return "line " + std::to_string(error.line()) + ": " + error.what();
}

StudyFit fitOnHistory(const Readings &readings, const FitPosed &posed, const ChartFrame &frame,
                      ChartData &history)
{
    StudyFit fit;
    const Unit &timeUnit = unitOrSi(Quantity::Time, frame.timeUnit);
    const Selection selection
        = selectReadings(readings.rows, 0, 0, std::numeric_limits<double>::infinity());
    if (selection.beforeStart > 0)
        fit.notes.push_back(countText(selection.beforeStart, "reading", "readings")
                            + " before t = 0 left out");
    std::vector<Reading> rows = selection.rows;
    try {
        if (rows.empty())
            throw ReadingsError(0, "no readings at t = 0 or later");
        for (Reading &r : rows)
            r.T = toProblemScale(r, readings.temperatureUnit, posed.scale);
    } catch (const ReadingsError &error) {
        fit.message = readingsMessage(error);
        return fit;
    }

    ChartSeries points{"readings", {}, Stroke::Points, kFitColour};
    double low = rows.front().T, high = rows.front().T;
    for (const Reading &r : rows) {
        points.points.push_back({fromSi(r.t, timeUnit), r.T});
        low = std::min(low, r.T);
        high = std::max(high, r.T);
    }
    widen(history.x, history.x.min, points.points.back().x);
    widen(history.y, low, high);
    history.series.push_back(std::move(points));
    history.description
        += " Points mark the " + countText(rows.size(), "reading", "readings") + " of the file.";

    FitSetup setup;
    setup.wall = posed.wall;
    setup.tI = posed.tI;
    setup.tInf = posed.tInf;
    setup.unit = std::string(posed.scale);
    setup.mean = posed.mean;
    setup.x = posed.x;
    try {
        fit.result = fitReadings(rows, setup);
    } catch (const ReadingsError &error) {
        fit.message = readingsMessage(error);
    } catch (const InputError &error) {
        fit.message = fieldMessage({error.input(), error.what()});
    } catch (const std::exception &error) {
        // FitError, and whatever else stops the fit (memory, a number beyond range).
        fit.message = std::string("the fit failed: ") + error.what();
    }
    if (!fit.result)
        return fit;

    const FitResult &r = *fit.result;
    fit.summary = summaryOf(r, posed);
    fit.notes.insert(fit.notes.end(), r.notes.begin(), r.notes.end());
    fit.warnings = r.warnings;

    // The curve through the fitted values at the readings themselves as well as between them.
    std::vector<ChartPoint> curve;
    curve.reserve(r.curve.size() + r.fitted.size());
    for (const auto &[t, T] : r.curve)
        curve.push_back({fromSi(t, timeUnit), T});
    for (const FitPoint &p : r.fitted)
        curve.push_back({fromSi(p.t, timeUnit), p.fitted});
    std::ranges::stable_sort(curve, {}, &ChartPoint::x);
    const Unit &hUnit = unitOrSi(Quantity::HeatTransferCoefficient, posed.hUnit);
    history.series.push_back(
        {"fit, h = " + formatWithUnit(fromSi(r.h.value, hUnit), hUnit.symbol, 4), std::move(curve),
         Stroke::Solid, kFittedCurveColour});
    history.description += " A line through them is the fit, h = "
        + formatWithUnit(fromSi(r.h.value, hUnit), hUnit.symbol, 4) + ".";
    fit.residuals = residualChart(r, history.x, posed.scale, timeUnit);
    return fit;
}

} // namespace planewall
