// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "chart_data.h"
#include "problem.h"
#include "quantity.h"
#include "solve.h"
#include "study_fit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace planewall {

// A study of one wall as the explorer and the chart export pose it: a dimensional problem,
// what to solve for, and everything shown of it: the results with their one-term and lumped
// shortcuts, and the four charts, all in the units the values were given in.

enum class SolveFor {
    Temperature, // T at x and the rest at the given t
    TimeAtX, // the t at which T at x reaches the target
    TimeOnMean, // the t at which the mean T reaches the target
    HAtX, // the h that brings T at x to the target by t
    HOnMean, // the h that brings the mean T to the target by t
};
inline constexpr std::array kSolveFors = {SolveFor::Temperature, SolveFor::TimeAtX,
                                          SolveFor::TimeOnMean, SolveFor::HAtX, SolveFor::HOnMean};
bool solvesForTime(SolveFor s);
bool solvesForH(SolveFor s);
bool targetOnMean(SolveFor s);
// "temperature", "time-at-x", "time-on-mean", "h-at-x", "h-on-mean", and the inverse.
std::string_view solveForKey(SolveFor s);
std::optional<SolveFor> solveForOf(std::string_view key);

inline constexpr int kInputCount = 11;
// Each input's quantity: L and x lengths, T_i, T∞ and the target temperatures, and so on.
Quantity quantityOf(Input input);

// A value and the unit it was given in, which its results and axes are shown in. The value is
// SI, except for temperatures, which are in their own unit ("" for the unnamed scale).
struct Given
{
    double value;
    std::string_view unit; // as quantity.h spells it; must outlive the study
};

struct StudyInputs
{
    Given L, k;
    // Exactly one of α and the pair ρ, c_p; makeWall says which is missing.
    std::optional<Given> alpha, rho, cp;
    Given h; // not read when solving for h; its unit is then the answer's
    Given tI, tInf;
    // The time of the results; when solving for time, an optional time the charts reach past.
    std::optional<Given> t;
    std::string_view timeUnit = "s"; // the unit times are shown in when t is not given
    Given x;
    std::optional<Given> target; // needed when solving
    SolveFor solveFor = SolveFor::Temperature;
    // Measured temperatures to fit h to, on this wall with these temperatures, of the point at
    // x or, when solving on the mean, of the mean; the caller keeps them while the study runs.
    const Readings *readings = nullptr;
};

// A message about one input, for the front end to show beside it.
struct InputMessage
{
    Input input;
    std::string message;
};

// One line of the results: the exact value, and where a shortcut applies its value and its
// error (shortcut less exact), each as text with its unit.
struct ResultLine
{
    std::string name; // "T at x", "mean T", ...
    std::string exact;
    std::string oneTerm, oneTermError;
    std::string lumped, lumpedError;
};

struct StudyResults
{
    double bi, fo, xStar;
    double h; // W/m²K, the solved one when solving for h
    double t; // s, the solved one when solving for time
    PointResult point; // at x and t
    EnergyResult energy; // at t
    std::optional<Solved> solved; // Fo or Bi
    std::vector<ResultLine> lines;
};

struct Study
{
    std::vector<InputMessage> messages; // why there are no results, by input
    std::optional<StudyResults> results;
    std::optional<Charts> charts;
    // The fit to the readings, when there were some and the study had results; its readings and
    // curve are on the history chart.
    std::optional<StudyFit> fit;
};

// Everything from a problem. Never throws for bad values: each becomes a message on its input
// (an unreachable target one on Input::Target).
Study runStudy(const StudyInputs &wanted);

// The results as text to copy: one line per result, tab-separated columns with a header.
std::string resultsText(const StudyResults &results);

// The Biot number hL/k from h, L and k in SI, each checked as a Problem checks it (InputError on
// the first out of range, and on h when the product is beyond the range of numbers).
double checkedBiotNumber(double h, double L, double k);

// The four charts of a dimensionless wall, in x*, Fo and θ*.
Charts dimensionlessCharts(double bi, double fo, double xStar);

// The explorer's fields as typed: each input's text and its chooser's unit symbol.
struct FieldEntry
{
    std::string text;
    std::string unit;
};

struct ExplorerFields
{
    std::array<FieldEntry, kInputCount> entries; // indexed by Input
    bool byDiffusivity = false; // α, or ρ with c_p
    SolveFor solveFor = SolveFor::Temperature;

    FieldEntry &operator[](Input input) { return entries[static_cast<std::size_t>(input)]; }
    const FieldEntry &operator[](Input input) const
    {
        return entries[static_cast<std::size_t>(input)];
    }
};

// Whether the explorer reads the input for this way of asking (α or ρ and c_p, h unless solving
// for it, the target only when solving). t is always read, though when solving for time an empty
// t only means none.
bool fieldInUse(const ExplorerFields &fields, Input input);

// Reads the fields (field_text.h) and runs the study, with a fit to `readings` when given; a
// field that does not read is a message on its input, and every such field is named at once.
Study studyFromFields(const ExplorerFields &fields, const Readings *readings = nullptr);

} // namespace planewall
