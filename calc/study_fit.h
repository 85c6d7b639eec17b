// SPDX-FileCopyrightText: the planewall authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "chart_data.h"
#include "fit.h"
#include "problem.h"
#include "readings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace planewall {

// The explorer's fit to measured temperatures: h fitted on the study's own wall, temperatures
// and sensor (at x, or the mean when the study solves on the mean), shown on the study's T(t)
// chart with its residuals beneath.

struct StudyFit
{
    std::optional<FitResult> result; // none when the readings could not be fitted
    // Why there is no result, with the line of the file it is about ("line 7: ..."); empty when
    // there is one.
    std::string message;
    // The facts of the fit, one a line: h in the h field's unit with its 95% interval (or its
    // lower bound), Bi, the RMS residual and the readings used.
    std::vector<std::string> summary;
    // What the fit assumes or left out, and reasons to distrust it.
    std::vector<std::string> notes, warnings;
    // The residuals against time, on the history chart's time axis, with a zero line.
    std::optional<ChartData> residuals;
};

// What the fit needs of the study, every temperature in the study's scale.
struct FitPosed
{
    Wall wall;
    double tI, tInf;
    std::string_view scale; // "C", "K", "F" or ""
    bool mean; // the readings are of the mean temperature, else of the point at x
    double x; // m
    std::string_view hUnit; // the unit h is shown in
};

// Fits h to the readings at times from 0 on, and adds them to `history` (the study's T(t)
// chart, in `frame`'s units): the readings as points, and the fitted curve through them, with
// the axes widened to hold both. Never throws: a reading below absolute zero, readings the
// fit cannot use and a fit that fails each become the message, the readings still drawn where
// they can be.
StudyFit fitOnHistory(const Readings &readings, const FitPosed &posed, const ChartFrame &frame,
                      ChartData &history);

// A ReadingsError as the explorer shows it: "line 7: 'x' is not a number", or just the message
// when it is about the whole file.
std::string readingsMessage(const ReadingsError &error);

} // namespace planewall
