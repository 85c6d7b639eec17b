// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The explorer's study of a dimensional wall: fields in, results, solves and charts out,
// checked against mpmath (40 digits, tests/core/chart_data_test.cpp's method) for a plain
// carbon steel wall: L = 50 mm, k = 60.5 W/mK, ρ = 7854 kg/m³, c_p = 434 J/kgK, h = 500 W/m²K,
// Ti = 300 °C, T∞ = 25 °C, t = 10 min: Bi = 0.41322314049586777, Fo = 4.2597684234984316.

#include "study.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

using namespace planewall;

namespace {

ExplorerFields steelFields()
{
    ExplorerFields f;
    f[Input::L] = {"50", "mm"};
    f[Input::K] = {"60,5", "W/mK"};
    f[Input::Alpha] = {"not read", "m2/s"};
    f[Input::Rho] = {"7854", "kg/m3"};
    f[Input::Cp] = {"0.434", "kJ/kgK"};
    f[Input::H] = {"500", "W/m2K"};
    f[Input::TI] = {"300", "C"};
    f[Input::TInf] = {"25", "C"};
    f[Input::T] = {"10", "min"};
    f[Input::X] = {"0", "mm"};
    f[Input::Target] = {"100", "C"};
    return f;
}

const ResultLine &lineNamed(const StudyResults &r, const std::string &name)
{
    const auto it = std::ranges::find(r.lines, name, &ResultLine::name);
    if (it == r.lines.end())
        throw std::runtime_error("no result line " + name);
    return *it;
}

TEST(Study, TemperatureAtTime)
{
    ExplorerFields f = steelFields();
    f[Input::X] = {"3", "cm"};
    const Study study = studyFromFields(f);
    ASSERT_TRUE(study.messages.empty()) << study.messages.front().message;
    const StudyResults &r = *study.results;
    EXPECT_NEAR(r.bi, 0.41322314049586777, 1e-15);
    EXPECT_NEAR(r.fo, 4.2597684234984316, 1e-14);
    EXPECT_NEAR(r.point.temperature, 83.302090475624297, 1e-11); // x* = 0.6
    EXPECT_NEAR(r.energy.meanTemperature, 83.626547677578421, 1e-11);
    EXPECT_NEAR(r.energy.energyRatio, 0.78681255389971483, 1e-13);
    EXPECT_NEAR(*r.energy.energy, 36.876916951524490e6, 1e-5);
    // q_s = h (T_s - T∞), from the face's temperature 76.37339073025135669 °C.
    EXPECT_NEAR(r.energy.flux, 25686.695365125678, 1e-8);
    EXPECT_EQ(r.t, 600);
    EXPECT_FALSE(r.solved);
    EXPECT_EQ(lineNamed(r, "T at x").exact, "83.3021 \u00B0C");
    EXPECT_EQ(lineNamed(r, "Q").exact, "36.8769 MJ/m\u00B2");
    EXPECT_EQ(lineNamed(r, "q\u209B").exact, "25686.7 W/m\u00B2");
    // At Fo = 4.26 the one-term value is the exact one; the lumped one is 15 °C low at the
    // centre (Ti - (Ti - T∞)(1 - exp(-Bi Fo)) = 72.3012 °C).
    EXPECT_EQ(lineNamed(r, "T at x").oneTermError, "0 \u00B0C");
    EXPECT_EQ(lineNamed(r, "mean T").lumped, "72.3012 \u00B0C");
    EXPECT_EQ(lineNamed(r, "Q/Q\u2080").lumpedError, "+0.0412");
}

// Q and q_s scale with Ti - T∞ (36.876916951524490 MJ/m² and 25686.695365125678 W/m² for
// 275 K): the energy is shown in a unit that keeps its digits, and both are negative when the
// wall is heated.
TEST(Study, EnergyAndFluxFollowTheDrivingDifference)
{
    const struct
    {
        const char *tI, *tInf, *energy, *flux;
    } rows[] = {
        {"300", "25", "36.8769 MJ/m\u00B2", "25686.7 W/m\u00B2"},
        {"25", "300", "-36.8769 MJ/m\u00B2", "-25686.7 W/m\u00B2"},
        {"25.275", "25", "36.8769 kJ/m\u00B2", "25.6867 W/m\u00B2"},
        {"25.000275", "25", "36.8769 J/m\u00B2", "0.0256867 W/m\u00B2"},
    };
    for (const auto &row : rows) {
        ExplorerFields f = steelFields();
        f[Input::TI].text = row.tI;
        f[Input::TInf].text = row.tInf;
        const Study study = studyFromFields(f);
        ASSERT_TRUE(study.results) << row.tI;
        EXPECT_EQ(lineNamed(*study.results, "Q").exact, row.energy) << row.tI;
        EXPECT_EQ(lineNamed(*study.results, "q\u209B").exact, row.flux) << row.tI;
    }
}

TEST(Study, FahrenheitGivesTheSameWallInItsScale)
{
    ExplorerFields f = steelFields();
    f[Input::TI] = {"572", "F"};
    f[Input::TInf] = {"77", "F"};
    f[Input::Target] = {"212", "F"}; // not read when solving for temperature
    const Study study = studyFromFields(f);
    ASSERT_TRUE(study.results);
    EXPECT_NEAR(study.results->point.temperature, 189.17609726469789, 1e-10);
    // The energy is in joules whatever the scale: a degree F is 5/9 K.
    EXPECT_NEAR(*study.results->energy.energy, 36.876916951524490e6, 1e-5);
    EXPECT_EQ((*study.charts)[0].y.title, "T (\u00B0F)");
}

struct SolveCase
{
    const char *name;
    SolveFor solveFor;
    double answer; // t in min or h in W/m²K, mpmath
    const char *line;
    const char *oneTerm, *lumped;
};

class Solves : public testing::TestWithParam<SolveCase>
{
};

TEST_P(Solves, ReachTheTarget)
{
    const SolveCase c = GetParam();
    ExplorerFields f = steelFields();
    f.solveFor = c.solveFor;
    const Study study = studyFromFields(f);
    ASSERT_TRUE(study.messages.empty()) << study.messages.front().message;
    const StudyResults &r = *study.results;
    ASSERT_TRUE(r.solved);
    if (solvesForTime(c.solveFor)) {
        EXPECT_NEAR(r.t / 60, c.answer, 1e-11 * c.answer);
        EXPECT_EQ(r.h, 500);
    } else {
        EXPECT_NEAR(r.h, c.answer, 1e-10 * c.answer);
        EXPECT_EQ(r.t, 600);
    }
    // The target is met where it was asked for.
    const double reached
        = targetOnMean(c.solveFor) ? r.energy.meanTemperature : r.point.temperature;
    EXPECT_NEAR(reached, 100, 1e-9);
    const ResultLine &answer = r.lines.front();
    EXPECT_EQ(answer.name, c.line);
    EXPECT_EQ(answer.oneTerm, c.oneTerm);
    EXPECT_EQ(answer.lumped, c.lumped);
}

// One-term time at the centre: ln(C1/θ)/ζ1² L²/α = 8.79929087951 min; lumped: -ln θ/Bi L²/α =
// 7.38130458982 min; lumped h: -ln θ/Fo k/L = 369.065229491 W/m²K (all mpmath).
INSTANTIATE_TEST_SUITE_P(
    Rows, Solves,
    testing::Values(SolveCase{"TimeAtCentre", SolveFor::TimeAtX, 8.7992908795129747, "t (solved)",
                              "8.79929 min", "7.3813 min"},
                    SolveCase{"TimeOnMean", SolveFor::TimeOnMean, 8.4031992150141080, "t (solved)",
                              "8.4032 min", "7.3813 min"},
                    SolveCase{"HAtCentre", SolveFor::HAtX, 429.98445827931432, "h (solved)",
                              "\u2014", "369.065 W/m\u00B2K"}),
    [](const testing::TestParamInfo<SolveCase> &row) { return row.param.name; });

TEST(Study, ChartsAreInTheFieldsUnits)
{
    const Study study = studyFromFields(steelFields());
    ASSERT_TRUE(study.charts);
    const Charts &charts = *study.charts;
    const ChartData &profile = charts[0];
    EXPECT_EQ(profile.x.title, "x (mm)");
    EXPECT_EQ(profile.x.max, 50);
    // The curve at t itself: 87.3200540359 °C at the centre.
    const ChartSeries &atT = profile.series[2];
    EXPECT_EQ(atT.name, "10 min");
    EXPECT_NEAR(atT.points.front().y, 87.320054035943266, 1e-11);
    const ChartData &history = charts[1];
    EXPECT_EQ(history.x.title, "t (min)");
    EXPECT_NEAR(history.x.max, 20, 1e-12);
    const ChartData &energy = charts[2];
    ASSERT_TRUE(energy.ySecondary);
    EXPECT_EQ(energy.ySecondary->title, "Q (MJ/m\u00B2)");
    EXPECT_NEAR(energy.ySecondary->factor, 46.868745, 1e-9); // ρ c_p L (Ti - T∞) in MJ/m²
}

TEST(Study, SolvedTimeSetsTheChartsUnlessTheGivenOneIsLater)
{
    ExplorerFields f = steelFields();
    f.solveFor = SolveFor::TimeAtX;
    f[Input::T] = {"", "h"};
    Study study = studyFromFields(f);
    ASSERT_TRUE(study.charts) << study.messages.front().message;
    // No time given: twice the solved 8.79929 min, in hours, the t field's unit.
    EXPECT_NEAR((*study.charts)[1].x.max, 2 * 8.7992908795129747 / 60, 1e-12);
    f[Input::T] = {"1", "h"};
    study = studyFromFields(f);
    EXPECT_NEAR((*study.charts)[1].x.max, 2, 1e-12);
}

struct FaultCase
{
    const char *name;
    std::function<void(ExplorerFields &)> change;
    Input input;
    const char *message;
};

class Faults : public testing::TestWithParam<FaultCase>
{
};

TEST_P(Faults, AreNamedOnTheirInput)
{
    const FaultCase c = GetParam();
    ExplorerFields f = steelFields();
    c.change(f);
    const Study study = studyFromFields(f);
    EXPECT_FALSE(study.results);
    EXPECT_FALSE(study.charts);
    ASSERT_EQ(study.messages.size(), 1u);
    EXPECT_EQ(study.messages[0].input, c.input);
    EXPECT_NE(study.messages[0].message.find(c.message), std::string::npos)
        << study.messages[0].message;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Faults,
    testing::Values(
        FaultCase{"ZeroThickness", [](ExplorerFields &f) { f[Input::L].text = "0"; }, Input::L,
                  "> 0"},
        FaultCase{"NegativeConductivity", [](ExplorerFields &f) { f[Input::K].text = "-1"; },
                  Input::K, "> 0"},
        FaultCase{"ZeroDensity", [](ExplorerFields &f) { f[Input::Rho].text = "0"; }, Input::Rho,
                  "> 0"},
        FaultCase{"ZeroDiffusivity",
                  [](ExplorerFields &f) {
                      f.byDiffusivity = true;
                      f[Input::Alpha].text = "0";
                  },
                  Input::Alpha, "> 0"},
        FaultCase{"NegativeH", [](ExplorerFields &f) { f[Input::H].text = "-5"; }, Input::H,
                  ">= 0"},
        FaultCase{"PointBeyondTheFace", [](ExplorerFields &f) { f[Input::X].text = "51"; },
                  Input::X, "[0, L]"},
        FaultCase{"NegativeTime", [](ExplorerFields &f) { f[Input::T].text = "-1"; }, Input::T,
                  ">= 0"},
        FaultCase{"NoTime", [](ExplorerFields &f) { f[Input::T].text = ""; }, Input::T,
                  "a number is needed"},
        FaultCase{"BelowAbsoluteZero", [](ExplorerFields &f) { f[Input::TInf].text = "-274"; },
                  Input::TInf, "absolute zero"},
        FaultCase{"GroupedThousands", [](ExplorerFields &f) { f[Input::H].text = "1,000.5"; },
                  Input::H, "no grouping"},
        FaultCase{"TargetBeyondTheFluid",
                  [](ExplorerFields &f) {
                      f.solveFor = SolveFor::TimeAtX;
                      f[Input::Target].text = "20";
                  },
                  Input::Target, "is never reached: the wall tends to T\u221E = 25 \u00B0C"},
        FaultCase{"TargetAboveTheStart",
                  [](ExplorerFields &f) {
                      f.solveFor = SolveFor::TimeOnMean;
                      f[Input::Target].text = "310";
                  },
                  Input::Target, "the wall starts at Ti = 300 \u00B0C"},
        FaultCase{"NoTargetToSolve",
                  [](ExplorerFields &f) {
                      f.solveFor = SolveFor::HAtX;
                      f[Input::Target].text = " ";
                  },
                  Input::Target, "a number is needed"},
        FaultCase{"NoDifference",
                  [](ExplorerFields &f) {
                      f.solveFor = SolveFor::TimeAtX;
                      f[Input::TInf].text = "300";
                  },
                  Input::Target, "never changes"},
        FaultCase{"HWithNoTime",
                  [](ExplorerFields &f) {
                      f.solveFor = SolveFor::HOnMean;
                      f[Input::T].text = "0";
                  },
                  Input::Target, "no time has passed"},
        FaultCase{"HBeyondTheLimit",
                  [](ExplorerFields &f) {
                      f.solveFor = SolveFor::HAtX;
                      f[Input::T].text = "1";
                      f[Input::T].unit = "s";
                  },
                  Input::Target, "not reached by then even as h \u2192 \u221E"}),
    [](const testing::TestParamInfo<FaultCase> &row) { return row.param.name; });

TEST(Study, EveryUnreadableFieldIsNamedAtOnce)
{
    ExplorerFields f = steelFields();
    f[Input::H].text = "abc";
    f[Input::X].text = "1.000,5";
    f[Input::Alpha].text = "ignored: ρ and c_p are in use";
    f[Input::Target].text = "ignored: nothing is solved";
    const Study study = studyFromFields(f);
    ASSERT_EQ(study.messages.size(), 2u);
    EXPECT_EQ(study.messages[0].input, Input::H);
    EXPECT_EQ(study.messages[1].input, Input::X);
}

TEST(Study, FieldsInUseFollowTheQuestion)
{
    ExplorerFields f = steelFields();
    f.solveFor = SolveFor::HOnMean;
    f[Input::H].text = "not read when solving for h";
    f[Input::Rho].text = "not read with α";
    f.byDiffusivity = true;
    f[Input::Alpha] = {"1.7748e-5", "m2/s"};
    const Study study = studyFromFields(f);
    ASSERT_TRUE(study.results) << study.messages.front().message;
    EXPECT_FALSE(study.results->energy.energy); // without ρ c_p there are no joules
    EXPECT_FALSE((*study.charts)[2].ySecondary);
}

TEST(Study, ResultsTextIsATable)
{
    const Study study = studyFromFields(steelFields());
    const std::string text = resultsText(*study.results);
    EXPECT_EQ(text.substr(0, text.find('\n')), "\texact\tone-term\terror\tlumped\terror");
    EXPECT_NE(text.find("\nBi\t0.413223\t\u2014\t\u2014\t\u2014\t\u2014\n"), std::string::npos);
    // Every line has the six columns.
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        EXPECT_EQ(std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                             text.begin() + static_cast<std::ptrdiff_t>(end), '\t'),
                  5);
        start = end + 1;
    }
}

TEST(Study, KeysRoundTrip)
{
    for (SolveFor s : kSolveFors)
        EXPECT_EQ(solveForOf(solveForKey(s)), s);
    EXPECT_EQ(solveForOf("nothing"), std::nullopt);
}

} // namespace
