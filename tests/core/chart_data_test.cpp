// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The four charts as data, checked against the exact solution computed independently with
// mpmath (40 digits; the series over 150 roots of z tan z = Bi found by findroot).

#include "chart_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace planewall;

namespace {

// The y of the series at the point whose x is `x`; fails the test when there is none.
double yAt(const ChartSeries &series, double x)
{
    const auto it = std::ranges::find_if(series.points, [x](const ChartPoint &p) {
        return std::abs(p.x - x) <= 1e-12 * std::max(1.0, std::abs(x));
    });
    if (it == series.points.end()) {
        ADD_FAILURE() << series.name << " has no point at " << x;
        return std::nan("");
    }
    return it->y;
}

const ChartSeries &named(const ChartData &chart, const std::string &name)
{
    const auto it = std::ranges::find(chart.series, name, &ChartSeries::name);
    if (it == chart.series.end())
        throw std::runtime_error(chart.title + " has no series " + name);
    return *it;
}

ChartFrame dimensionless(double bi, double fo, double xStar = 0)
{
    ChartFrame frame;
    frame.bi = bi;
    frame.fo = fo;
    frame.xStar = xStar;
    return frame;
}

struct ProfileCase
{
    const char *series;
    double fo;
    double theta[3]; // at x* = 0, 0.5, 1
};

class ProfileOfBiOne : public testing::TestWithParam<ProfileCase>
{
};

// Bi = 1 at Fo = 0.2: the profile is drawn at Fo 0.05, 0.1, 0.2, 0.4 and 0.8.
TEST_P(ProfileOfBiOne, EachTimeIsTheExactProfile)
{
    const ProfileCase c = GetParam();
    const ChartData chart = profileChart(WallSolution(1), dimensionless(1, 0.2));
    ASSERT_EQ(chart.series.size(), 5u);
    const ChartSeries &s = named(chart, c.series);
    ASSERT_EQ(s.points.size(), static_cast<std::size_t>(kProfilePoints));
    EXPECT_EQ(s.points.front().x, 0);
    EXPECT_EQ(s.points.back().x, 1);
    const double xs[3] = {0, 0.5, 1};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(yAt(s, xs[i]), c.theta[i], 1e-14) << "x* = " << xs[i];
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileOfBiOne,
    testing::Values(
        ProfileCase{
            "Fo = 0.05", 0.05, {0.99975095505826046, 0.98630019558154189, 0.79037676364922624}},
        ProfileCase{
            "Fo = 0.1", 0.1, {0.99310825480496061, 0.95050845210136019, 0.72357723866880272}},
        ProfileCase{
            "Fo = 0.2", 0.2, {0.95064177850546574, 0.87925481217903760, 0.64339078447743795}},
        ProfileCase{
            "Fo = 0.4", 0.4, {0.83095036267971813, 0.75670569311455587, 0.54417077633524117}},
        ProfileCase{
            "Fo = 0.8", 0.8, {0.61902709598308871, 0.56264472057055985, 0.40374043013263507}}));

TEST(ProfileChart, AtTheStartUsesTheReferenceTime)
{
    // Nothing has happened at Fo = 0; the curves are those around Fo = 0.2 instead.
    const ChartData chart = profileChart(WallSolution(1), dimensionless(1, 0));
    EXPECT_NEAR(yAt(named(chart, "Fo = 0.2"), 0), 0.95064177850546574, 1e-14);
}

struct EnergyCase
{
    double fo;
    double exact, oneTerm;
};

class EnergyOfBiOne : public testing::TestWithParam<EnergyCase>
{
};

TEST_P(EnergyOfBiOne, ExactOneTermAndLumped)
{
    const EnergyCase c = GetParam();
    const ChartData chart = energyChart(WallSolution(1), dimensionless(1, 0.2));
    EXPECT_EQ(chart.x.max, 0.4); // twice the time of interest
    EXPECT_FALSE(chart.ySecondary);
    EXPECT_NEAR(yAt(named(chart, "exact"), c.fo), c.exact, 1e-14);
    EXPECT_NEAR(yAt(named(chart, "one-term"), c.fo), c.oneTerm, 1e-14);
    EXPECT_NEAR(yAt(named(chart, "lumped"), c.fo), -std::expm1(-c.fo), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EnergyOfBiOne,
    testing::Values(EnergyCase{0.05, 0.042690015873333243, 0.049733447371646063},
                    EnergyCase{0.1, 0.080403252500606776, 0.084258762701799956},
                    EnergyCase{0.2, 0.14840454231270284, 0.14959182143768941},
                    EnergyCase{0.4, 0.26649348548384837, 0.26660703196867561}));

struct HeislerCase
{
    const char *series;
    double atFoTenth, atFoOne; // θ*0 exact at Fo = 0.1 and 1
    double oneTermAtStart; // the one-term θ*0 at Fo = 1e-3: C1·exp(-ζ1²/1000)
};

class HeislerOfBiOne : public testing::TestWithParam<HeislerCase>
{
};

TEST_P(HeislerOfBiOne, EachBiotNumberExactAndOneTerm)
{
    const HeislerCase c = GetParam();
    const ChartData chart = heislerChart(dimensionless(1, 0.5));
    EXPECT_TRUE(chart.x.logarithmic && chart.y.logarithmic);
    const ChartSeries &exact = named(chart, c.series);
    EXPECT_EQ(exact.stroke, Stroke::Solid);
    EXPECT_NEAR(yAt(exact, 0.1), c.atFoTenth, 1e-14);
    EXPECT_NEAR(yAt(exact, 1), c.atFoOne, 1e-14);
    const ChartSeries &oneTerm = named(chart, std::string(c.series) + ", one-term");
    EXPECT_EQ(oneTerm.stroke, Stroke::Dashed);
    EXPECT_EQ(oneTerm.colour, exact.colour);
    EXPECT_NEAR(yAt(oneTerm, 1e-3), c.oneTermAtStart, 1e-14);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeislerOfBiOne,
    testing::Values(
        HeislerCase{"Bi = 0.25", 0.99809682924246466, 0.82447264654359935, 1.0379531662822063},
        HeislerCase{"Bi = 0.5", 0.99632140791376449, 0.69838322113581070, 1.0696715430236367},
        HeislerCase{"Bi = 1", 0.99310825480496061, 0.53385940140856791, 1.1183039626063635},
        HeislerCase{"Bi = 2", 0.98777886510171321, 0.36955571887741146, 1.1770899742460864},
        HeislerCase{"Bi = 4", 0.98013079083507088, 0.24827229943942281, 1.2267442889284363}));

TEST(HeislerChart, CurvesEndJustBelowTheAxis)
{
    const ChartData chart = heislerChart(dimensionless(1, 0.5));
    // θ*0 of Bi = 4 reaches 1e-3 at Fo = 4.44832072285 (mpmath): the curve stops at the first
    // point past that, and holds every point before it.
    const ChartSeries &bi4 = named(chart, "Bi = 4");
    ASSERT_GE(bi4.points.size(), 2u);
    const ChartPoint last = bi4.points.back(), before = bi4.points[bi4.points.size() - 2];
    EXPECT_LT(before.x, 4.4483207228535690);
    EXPECT_GT(last.x, 4.4483207228535690);
    EXPECT_LT(last.y, kHeislerThetaMin);
    EXPECT_GE(before.y, kHeislerThetaMin);
    EXPECT_EQ(bi4.points.front().x, kHeislerFoMin);
    // Bi = 0.25 stays above 1e-3 all the way to Fo = 10.
    EXPECT_EQ(named(chart, "Bi = 0.25").points.back().x, kHeislerFoMax);
}

TEST(HeislerChart, MarksTheWallWhereItIs)
{
    const ChartData chart = heislerChart(dimensionless(1, 1));
    const ChartSeries &point = chart.series.back();
    EXPECT_EQ(point.stroke, Stroke::Points);
    ASSERT_EQ(point.points.size(), 1u);
    EXPECT_EQ(point.points[0].x, 1);
    EXPECT_NEAR(point.points[0].y, 0.53385940140856791, 1e-14);
    // Outside the chart's Fo there is no mark.
    const ChartData late = heislerChart(dimensionless(1, 20));
    EXPECT_NE(late.series.back().stroke, Stroke::Points);
}

TEST(HeislerChart, NoExchangeIsOneFlatCurve)
{
    const ChartData chart = heislerChart(dimensionless(0, 0.5));
    // One exact and one one-term curve and the wall's point, all at θ* = 1.
    ASSERT_EQ(chart.series.size(), 3u);
    for (const ChartSeries &s : chart.series) {
        for (const ChartPoint &p : s.points)
            EXPECT_EQ(p.y, 1) << s.name << " at Fo " << p.x;
    }
}

TEST(HistoryChart, SpansTwiceTheLaterTime)
{
    struct Row
    {
        double fo;
        std::optional<double> givenFo;
        double span;
    };
    for (const Row &row : {Row{0.2, std::nullopt, 0.4}, Row{0.2, 0.5, 1.0}, Row{0.3, 0.1, 0.6},
                           Row{0, std::nullopt, 2 * kReferenceFoAtStart}}) {
        ChartFrame frame = dimensionless(1, row.fo, 0.5);
        frame.givenFo = row.givenFo;
        const ChartData chart = historyChart(WallSolution(1), frame);
        EXPECT_EQ(chart.x.max, row.span) << row.fo;
        const ChartSeries &centre = chart.series.front();
        EXPECT_EQ(centre.points.front().x, 0);
        EXPECT_EQ(centre.points.back().x, row.span);
        EXPECT_TRUE(std::ranges::is_sorted(centre.points, {}, &ChartPoint::x));
        // Early points: the first step is far shorter than the even spacing.
        EXPECT_LE(centre.points[1].x, row.span * 1.0001e-4);
    }
}

TEST(HistoryChart, CentreSurfaceAndPointAgreeWithTheProfile)
{
    const ChartData chart = historyChart(WallSolution(1), dimensionless(1, 0.1, 0.5));
    EXPECT_NEAR(yAt(named(chart, "centre, x* = 0"), 0.2), 0.95064177850546574, 1e-14);
    EXPECT_NEAR(yAt(named(chart, "surface, x* = 1"), 0.2), 0.64339078447743795, 1e-14);
    EXPECT_NEAR(yAt(named(chart, "x* = 0.5"), 0.2), 0.87925481217903760, 1e-14);
    EXPECT_EQ(yAt(named(chart, "x* = 0.5"), 0), 1);
}

TEST(HistoryChart, MarksTargetAndSolvedTime)
{
    ChartFrame frame = dimensionless(1, 0.2, 0);
    frame.solvedTime = true;
    frame.targetTheta = 0.95064177850546574;
    const ChartData chart = historyChart(WallSolution(1), frame);
    const ChartSeries &target = chart.series[chart.series.size() - 2];
    const ChartSeries &time = chart.series.back();
    EXPECT_EQ(target.stroke, Stroke::Dotted);
    EXPECT_EQ(target.points.front().y, frame.targetTheta);
    EXPECT_EQ(target.points.back().y, frame.targetTheta);
    EXPECT_EQ(time.points.front().x, 0.2);
    EXPECT_EQ(time.points.back().x, 0.2);
    EXPECT_NE(time.name.find("solved"), std::string::npos);

    // A target on the mean adds the mean's curve; every line keeps a colour of its own.
    frame.xStar = 0.5;
    frame.targetOnMean = true;
    frame.targetTheta = 0.85159545768729715137;
    const ChartData onMean = historyChart(WallSolution(1), frame);
    EXPECT_NEAR(yAt(named(onMean, "mean over the wall"), 0.2), 0.85159545768729715137, 1e-14);
    EXPECT_NEAR(yAt(named(onMean, "mean over the wall"), 0.4), 0.73350651451615161302, 1e-14);
    std::vector<int> colours;
    for (const ChartSeries &s : onMean.series)
        colours.push_back(s.colour);
    std::ranges::sort(colours);
    EXPECT_EQ(std::ranges::adjacent_find(colours), colours.end()) << onMean.series.size();
}

// Labels every 1, 2, 2.5 or 5 times a power of ten, the smallest such step that needs at most
// six intervals.
TEST(ChartAxes, LabelStepsAreRoundAndAboutSix)
{
    const struct
    {
        double min, max, step;
    } rows[] = {
        {0, 1, 0.2},  {0, 6, 1},     {0, 6.0001, 2},      {0, 13, 2.5},
        {0, 300, 50}, {25, 300, 50}, {-1e-3, 1e-3, 5e-4}, {0, 1e30, 2e29},
        {1, 1, 0},    {2, 1, 0},     {0, INFINITY, 0},    {0, NAN, 0},
    };
    for (const auto &row : rows)
        EXPECT_DOUBLE_EQ(niceStep(row.min, row.max), row.step) << row.min << " " << row.max;
}

// The temperature axis spans Ti and T∞ out to round labels; a wall at the fluid's temperature
// gets a degree either side rather than an empty axis.
TEST(ChartAxes, TemperatureAxisHoldsBothTemperatures)
{
    const struct
    {
        double tInf, tDifference, min, max, step;
    } rows[] = {
        {25, 275, 0, 300, 50},
        {800, -600, 200, 800, 100},
        {20, 0, 19, 21, 0.5},
        {-40, 0, -42, -38, 1}, // 5% of 40 either side
    };
    for (const auto &row : rows) {
        ChartFrame frame = dimensionless(1, 0.2, 0);
        frame.temperatureName = "T";
        frame.temperatureUnit = "C";
        frame.tInf = row.tInf;
        frame.tDifference = row.tDifference;
        const ChartData chart = historyChart(WallSolution(1), frame);
        EXPECT_DOUBLE_EQ(chart.y.min, row.min) << row.tInf << " " << row.tDifference;
        EXPECT_DOUBLE_EQ(chart.y.max, row.max) << row.tInf << " " << row.tDifference;
        EXPECT_DOUBLE_EQ(chart.y.tickStep, row.step) << row.tInf << " " << row.tDifference;
    }
}

TEST(ChartCsv, QuotesNamesAndKeepsEveryDouble)
{
    ChartData chart{ChartKind::Energy,
                    "t",
                    "",
                    {"t (min)", 0, 1},
                    {"Q/Q0", 0, 1},
                    SecondaryAxis{"Q (MJ/m2)", 2},
                    {}};
    chart.series.push_back(
        {"Bi = 0.25, one-term", {{0.1 + 0.2, 0.5}, {1e-300, 1}}, Stroke::Dashed, 0});
    chart.series.push_back({"say \"hi\"", {{2, 0.25}}, Stroke::Solid, 1});
    EXPECT_EQ(chartCsv(chart),
              "series,t (min),Q/Q0,Q (MJ/m2)\r\n"
              "\"Bi = 0.25, one-term\",0.30000000000000004,0.5,1\r\n"
              "\"Bi = 0.25, one-term\",1e-300,1,2\r\n"
              "\"say \"\"hi\"\"\",2,0.25,0.5\r\n");
}

TEST(ChartKinds, KeysRoundTrip)
{
    for (ChartKind kind : kChartKinds)
        EXPECT_EQ(chartKindOf(chartKey(kind)), kind);
    EXPECT_EQ(chartKindOf("pie"), std::nullopt);
    EXPECT_EQ(chartKindOf("Profile"), std::nullopt);
}

} // namespace
