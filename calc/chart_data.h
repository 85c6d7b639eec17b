// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "exact_solution.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace planewall {

// The four charts of a wall, as plain data for any front end to draw: each a title, a
// description for readers who cannot see it, two axes and its series of points, every number
// already in the units the axes are titled in.

enum class ChartKind {
    Profile, // T(x) across the half-wall at t × {1/4, 1/2, 1, 2, 4}
    History, // T(t) at the centre, the surface and x
    Energy, // Q/Q0 against t, exact, one-term and lumped
    Heisler, // θ*0 against Fo for Bi × {1/4, 1/2, 1, 2, 4}, exact and one-term
    Residuals, // a fit's residuals against t (study_fit.h); not one of a study's four charts
};
inline constexpr std::array kChartKinds
    = {ChartKind::Profile, ChartKind::History, ChartKind::Energy, ChartKind::Heisler};

// "profile", "history", "energy", "heisler" ("residuals"); chartKindOf is the inverse (nullopt
// otherwise).
std::string_view chartKey(ChartKind kind);
std::optional<ChartKind> chartKindOf(std::string_view key);

enum class Stroke {
    Solid, // the exact solution
    Dashed, // the one-term approximation
    Dotted, // the lumped approximation, and marks: a target, a time of interest
    Points, // single points, no line
};

struct ChartPoint
{
    double x, y;
};

struct ChartSeries
{
    std::string name;
    std::vector<ChartPoint> points;
    Stroke stroke = Stroke::Solid;
    int colour = 0; // series of one colour belong together (a Bi's exact and one-term curves)
};

struct ChartAxis
{
    std::string title;
    double min = 0, max = 1;
    bool logarithmic = false;
    // The distance between labelled ticks, a round number; labels sit on its multiples. 0 for
    // a logarithmic axis, whose labels are the powers of ten.
    double tickStep = 0;
};

// A round step for labelling [min, max] with about six labels: 1, 2, 2.5 or 5 times a power of
// ten. 0 when the range is empty or not finite.
double niceStep(double min, double max);

// A second scale for the y values, on the right: `factor` times the left one ("Q" beside
// "Q/Q0"); negative when the wall takes up heat, so its numbers then run downwards.
struct SecondaryAxis
{
    std::string title;
    double factor;
};

struct ChartData
{
    ChartKind kind;
    std::string title;
    std::string description;
    ChartAxis x, y;
    std::optional<SecondaryAxis> ySecondary;
    std::vector<ChartSeries> series;
};

// How the dimensionless solution is shown: every shown value is a dimensionless one times a
// scale (and, for temperatures, plus T∞). The default shows the dimensionless values
// themselves: x*, Fo, θ*, Q/Q0.
struct ChartFrame
{
    double bi = 0;
    double fo = 0; // the time of interest: the given one, or the solved one
    double xStar = 0; // the position of interest
    bool solvedTime = false; // whether `fo` is the answer of a solve for time
    // A time given beside a solved one; the span of the history reaches past both.
    std::optional<double> givenFo;
    // The target of a solve as θ*, with where it is asked (at x*, or on the mean).
    std::optional<double> targetTheta;
    bool targetOnMean = false;

    std::string lengthName = "x*", lengthUnit;
    double lengthPerXStar = 1;
    std::string timeName = "Fo", timeUnit;
    double timePerFo = 1;
    std::string temperatureName = "\u03B8*", temperatureUnit; // the unit as quantity.h spells it
    double tInf = 0, tDifference = 1; // T = tInf + θ*·tDifference
    // Q0 in `energyUnit` per unit area, when the wall's heat capacity is known.
    std::optional<double> initialEnergy;
    std::string energyUnit;
};

// The number of points of each curve.
inline constexpr int kProfilePoints = 101;
inline constexpr int kHistoryPoints = 241; // evenly spaced, plus kEarlyPoints near t = 0
inline constexpr int kEarlyPoints = 40;
inline constexpr int kHeislerPoints = 161;

// The times at which the profile is drawn, as multiples of the time of interest.
inline constexpr std::array kProfileTimeFactors = {0.25, 0.5, 1.0, 2.0, 4.0};
// The Biot numbers of the Heisler chart, as multiples of the wall's.
inline constexpr std::array kHeislerBiotFactors = {0.25, 0.5, 1.0, 2.0, 4.0};
// The Heisler chart's axes: Fo from 1e-3 to 10, θ*0 from 1e-3 to 1, both logarithmic.
inline constexpr double kHeislerFoMin = 1e-3, kHeislerFoMax = 10;
inline constexpr double kHeislerThetaMin = 1e-3, kHeislerThetaMax = 1;
// When the time of interest is 0 (nothing has happened yet), the charts are drawn around the
// time where Fo is this instead, so that they still show how the wall will go.
inline constexpr double kReferenceFoAtStart = 0.2;

// The Fo the profile's times are multiples of: the time of interest, or kReferenceFoAtStart at
// the start. The end of the history's and the energy's span: twice the larger of the time of
// interest and the given time, or twice kReferenceFoAtStart when both are 0.
double referenceFo(const ChartFrame &frame);
double spanFo(const ChartFrame &frame);

ChartData profileChart(const WallSolution &wall, const ChartFrame &frame);
ChartData historyChart(const WallSolution &wall, const ChartFrame &frame);
ChartData energyChart(const WallSolution &wall, const ChartFrame &frame);
ChartData heislerChart(const ChartFrame &frame);
ChartData chart(ChartKind kind, const WallSolution &wall, const ChartFrame &frame);

using Charts = std::array<ChartData, 4>; // indexed as kChartKinds
Charts allCharts(const WallSolution &wall, const ChartFrame &frame);

// The chart's points as CSV (RFC 4180, "\r\n" line ends): a header "series,<x title>,<y title>"
// (and the secondary axis' title, when there is one), then one row per point, series by series,
// every number the shortest text that reads back as the same double.
std::string chartCsv(const ChartData &chart);

} // namespace planewall
