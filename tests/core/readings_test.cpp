// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "readings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

using namespace planewall;
using namespace std::string_literals;

namespace {

// A table row's name for ctest: its description with '_' for anything but letters and digits.
template<typename Row> std::string rowName(const ::testing::TestParamInfo<Row> &row)
{
    std::string name;
    for (const char c : std::string(row.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

struct BadFile
{
    const char *name;
    std::string text;
    ReadOptions options;
    const char *fragment; // of the message
    std::size_t line; // 0: the file as a whole
};

ReadOptions columns(const char *time, const char *temperature)
{
    ReadOptions o;
    o.timeColumn = time;
    o.temperatureColumn = temperature;
    return o;
}

ReadOptions timeUnit(const char *unit)
{
    ReadOptions o;
    o.timeUnit = unit;
    return o;
}

class ReadBadFile : public ::testing::TestWithParam<BadFile>
{
};

TEST_P(ReadBadFile, SaysWhatAndWhere)
{
    const BadFile &c = GetParam();
    try {
        readReadings(c.text, c.options);
        ADD_FAILURE() << "read without an error";
    } catch (const ReadingsError &e) {
        EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
        EXPECT_EQ(e.line(), c.line) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadBadFile,
    ::testing::Values(
        BadFile{"empty", "", {}, "the file is empty", 0},
        BadFile{"only a byte-order mark", "\xEF\xBB\xBF", {}, "the file is empty", 0},
        BadFile{"comments and blank lines", "# logger 7\n\n  \n", {}, "no readings", 0},
        BadFile{"a header alone", "t,T\n", {}, "header line but no readings", 1},
        BadFile{"a NUL byte", "0,1\n1,2\0\n"s, {}, "not text", 2},
        BadFile{"an escape sequence", "0,1\n1,2\n2,\x1b[31m3\n", {}, "\\x1b", 3},
        BadFile{"an executable",
                "\x7f"
                "ELF\x02\x01\x01",
                {},
                "not text",
                1},
        BadFile{"UTF-16", "\xFF\xFEt\0,\0T\0"s, {}, "UTF-16", 1},
        BadFile{"semicolons", "t;T\n0;1,5\n", {}, "semicolons", 1},
        BadFile{"a decimal comma in a tab-separated file",
                "t\tT\n0\t1.5\n10\t1,5\n",
                {},
                "decimal comma",
                3},
        BadFile{"decimal commas in a comma-separated file",
                "t,T\n0,1\n10,5,1,5\n",
                {},
                "cannot be told from the separators",
                3},
        BadFile{"more cells than the first data line", "0,1\n10,1,5\n", {}, "line 1 has 2", 2},
        BadFile{"a word", "0,1\n10,abc\n", {}, "'abc' is not a number", 2},
        BadFile{"a unit in a cell", "0,1\n10,20C\n", {}, "takes no unit", 2},
        BadFile{"inf", "0,1\n10,inf\n", {}, "infinite", 2},
        BadFile{"a time too large for its unit", "1e308,1\n", timeUnit("h"), "beyond the range", 1},
        BadFile{"a missing temperature", "0,1\n10\n", {}, "temperature (column 2) is missing", 2},
        BadFile{"an empty temperature", "0,1\n10,\n", {}, "temperature (column 2) is empty", 2},
        BadFile{"an empty time", "0,1\n ,2\n", {}, "time (column 1) is empty", 2},
        BadFile{"a repeated time", "0,1\n10,2\n10,3\n", {}, "not after the time on line 2", 3},
        BadFile{"a time going back", "0,1\n10,2\n5,3\n", {}, "not after", 3},
        BadFile{"lines counted over comments", "# a\n\n0,1\n0,2\n", {}, "not after", 4},
        BadFile{"lines counted over CR LF", "0,1\r\n1,1\r\n1,1\r\n", {}, "not after", 3},
        BadFile{"lines counted over lone CR", "0,1\r1,1\r0,1\r", {}, "not after", 3},
        BadFile{"a quote not closed", "\"t,T\n0,1\n", {}, "not closed", 1},
        BadFile{"text after a quote", "\"t\"x,T\n0,1\n", {}, "follows a quoted cell", 1},
        BadFile{"a unit of another quantity",
                "t [m],T\n0,1\n",
                {},
                "'m' in the heading 't [m]' is not a unit of time",
                1},
        BadFile{
            "no such temperature unit", "t,T [degC]\n0,1\n", {}, "not a unit of temperature", 1},
        BadFile{"a heading against --time-unit", "t [s],T\n0,1\n", timeUnit("min"),
                "asked for is min", 1},
        BadFile{"an unknown --time-unit", "0,1\n", timeUnit("ms"), "'ms' is not a unit of time", 0},
        BadFile{"a column not in the header", "t,T\n0,1\n", columns("t", "TEMP"),
                "no column is headed 'TEMP'", 1},
        BadFile{"a heading twice", "t,T1 [C],T1 [K]\n0,1,2\n", columns("t", "T1"),
                "matches both column 2 and column 3", 1},
        BadFile{"a column number beyond the header", "t,T\n0,1\n", columns("1", "3"), "no column 3",
                1},
        BadFile{"one column of blank-separated values", "t T\n0 1\n", {}, "no column 2", 1},
        BadFile{"a named column without a header line", "0,1\n1,2\n", columns("1", "T"),
                "no column is headed 'T'", 1},
        BadFile{"ten headings, eight of them listed", "a,b,c,d,e,f,g,h,i,j\n0,1,2,3,4,5,6,7,8,9\n",
                columns("t", "T"), "'g', 'h' and 2 more)", 1},
        BadFile{"the same column twice", "0,1\n", columns("2", "2"), "both column 2", 0},
        BadFile{"column 0", "0,1\n", columns("0", "1"), "count from 1", 0}),
    rowName<BadFile>);

TEST(ReadBadFile, TooLargeAFileOrTooManyReadings)
{
    const std::string big(kMaxReadingsBytes + 1, '\n');
    std::string many;
    for (std::size_t i = 0; i <= kMaxReadings; ++i)
        many += std::to_string(i) + ",1\n";
    const struct
    {
        const char *name;
        const std::string &text;
        const char *fragment;
        std::size_t line;
    } cases[] = {{"64 MB and a byte", big, "larger than 64 MB", 0},
                 {"a million readings and one", many, "more than 1000000 readings", 1'000'001}};
    for (const auto &c : cases) {
        try {
            readReadings(c.text);
            ADD_FAILURE() << c.name << ": read without an error";
        } catch (const ReadingsError &e) {
            EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << c.name;
            EXPECT_EQ(e.line(), c.line) << c.name;
        }
    }
    many.resize(many.rfind('\n', many.size() - 2) + 1);
    EXPECT_EQ(readReadings(many).rows.size(), kMaxReadings);
}

struct GoodFile
{
    const char *name;
    std::string text;
    ReadOptions options;
    std::vector<Reading> rows;
    std::string_view timeUnit, temperatureUnit;
    std::string timeHeading, temperatureHeading;
};

class ReadGoodFile : public ::testing::TestWithParam<GoodFile>
{
};

TEST_P(ReadGoodFile, ReadsEveryReadingInSecondsWithItsLine)
{
    const GoodFile &c = GetParam();
    const Readings r = readReadings(c.text, c.options);
    ASSERT_EQ(r.rows.size(), c.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        EXPECT_EQ(r.rows[i].t, c.rows[i].t) << i;
        EXPECT_EQ(r.rows[i].T, c.rows[i].T) << i;
        EXPECT_EQ(r.rows[i].line, c.rows[i].line) << i;
    }
    EXPECT_EQ(r.timeUnit, c.timeUnit);
    EXPECT_EQ(r.temperatureUnit, c.temperatureUnit);
    EXPECT_EQ(r.timeHeading, c.timeHeading);
    EXPECT_EQ(r.temperatureHeading, c.temperatureHeading);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadGoodFile,
    ::testing::Values(GoodFile{"units in brackets",
                               "t [min],T [\u00B0C]\n0,20\n1.5,30.25\n",
                               {},
                               {{0, 20, 2}, {90, 30.25, 3}},
                               "min",
                               "C",
                               "t [min]",
                               "T [\u00B0C]"},
                      GoodFile{"units in parentheses, the degree sign in Latin-1",
                               "Time (h),Temp (\xB0"
                               "F)\n0.5,70\n",
                               {},
                               {{1800, 70, 2}},
                               "h",
                               "F",
                               "Time (h)",
                               "Temp (\xB0"
                               "F)"},
                      GoodFile{"a remark in parentheses is no unit",
                               "Time,Temperature (thermocouple 1)\n0,20\n",
                               {},
                               {{0, 20, 2}},
                               "s",
                               "",
                               "Time",
                               "Temperature (thermocouple 1)"},
                      GoodFile{"columns by heading, letter case told apart",
                               "t [s],T [K],Tc [K]\n0,300,301\n10,310,311\n",
                               columns("t", "T"),
                               {{0, 300, 2}, {10, 310, 3}},
                               "s",
                               "K",
                               "t [s]",
                               "T [K]"},
                      GoodFile{"columns by heading ignoring case",
                               "Time [h],T1 [K],T2 [K]\n0,300,301\n0.5,310,311\n",
                               columns("time", "t2"),
                               {{0, 301, 2}, {1800, 311, 3}},
                               "h",
                               "K",
                               "Time [h]",
                               "T2 [K]"},
                      GoodFile{"columns by number, time after temperature",
                               "20,0,x\n21,5,y\n",
                               columns("2", "1"),
                               {{0, 20, 1}, {5, 21, 2}},
                               "s",
                               "",
                               "column 2",
                               "column 1"},
                      GoodFile{"a heading written out whole",
                               "t [s],T [C]\n0,1\n",
                               columns("t [s]", "T [C]"),
                               {{0, 1, 2}},
                               "s",
                               "C",
                               "t [s]",
                               "T [C]"},
                      GoodFile{"byte-order mark and CR LF",
                               "\xEF\xBB\xBFt,T\r\n0,1\r\n1,2\r\n",
                               {},
                               {{0, 1, 2}, {1, 2, 3}},
                               "s",
                               "",
                               "t",
                               "T"},
                      GoodFile{"tabs, quotes and blanks",
                               "\"t [s]\"\t \"T [C]\"\n 0 \t 1.5 \n\"10\"\t\"2\"\n",
                               {},
                               {{0, 1.5, 2}, {10, 2, 3}},
                               "s",
                               "C",
                               "t [s]",
                               "T [C]"},
                      GoodFile{"blanks after closing quotes, a bracket never opened",
                               "\"t)\" ,\"T\"  \n\"0\" ,1\n",
                               {},
                               {{0, 1, 2}},
                               "s",
                               "",
                               "t)",
                               "T"},
                      GoodFile{"quotes within a quoted heading",
                               "\"t \"\"wall\"\" [s]\",T\n0,1\n",
                               {},
                               {{0, 1, 2}},
                               "s",
                               "",
                               "t \"wall\" [s]",
                               "T"},
                      GoodFile{"comments, blank lines, empty rows, a trailing separator",
                               "# logger 7\n0,1,\n\n,,\n1e1,-2e-1,\n# end\n",
                               {},
                               {{0, 1, 2}, {10, -0.2, 5}},
                               "s",
                               "",
                               "column 1",
                               "column 2"},
                      GoodFile{"plain times in minutes",
                               "0,1\n0.5,2\n",
                               timeUnit("min"),
                               {{0, 1, 1}, {30, 2, 2}},
                               "min",
                               "",
                               "column 1",
                               "column 2"},
                      GoodFile{"times before zero, no final line end",
                               "-10,1\n0,2",
                               {},
                               {{-10, 1, 1}, {0, 2, 2}},
                               "s",
                               "",
                               "column 1",
                               "column 2"}),
    rowName<GoodFile>);

TEST(SelectReadings, CountsFromT0AndKeepsTheWindow)
{
    std::vector<Reading> rows;
    for (int i = 0; i < 6; ++i)
        rows.push_back({10.0 * i, 1.0 * i, static_cast<std::size_t>(i + 2)});
    // Shifted by 15 s: -15, -5, 5, 15, 25, 35; from 10 to 25 keeps 15 and 25.
    const Selection s = selectReadings(rows, 15, 10, 25);
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.rows[0].t, 15);
    EXPECT_EQ(s.rows[0].T, 3);
    EXPECT_EQ(s.rows[0].line, 5u);
    EXPECT_EQ(s.rows[1].t, 25);
    EXPECT_EQ(s.beforeStart, 3u);
    EXPECT_EQ(s.afterEnd, 1u);
    // Before t0 is left out even when --from would reach back.
    EXPECT_EQ(selectReadings(rows, 15, 0, 1e300).beforeStart, 2u);
    // Both ends of the window belong to it.
    EXPECT_EQ(selectReadings(rows, 0, 10, 30).rows.size(), 3u);
}

TEST(ReadingsScale, ConvertsIntoTheProblemsScale)
{
    const struct
    {
        double T;
        const char *unit, *scale;
        double expected;
    } cases[] = {{300, "K", "C", 26.85},
                 {212, "F", "C", 100},
                 {20, "C", "K", 293.15},
                 {20, "", "C", 20},
                 {20, "C", "", 20}};
    for (const auto &c : cases)
        EXPECT_NEAR(toProblemScale({0, c.T, 4}, c.unit, c.scale), c.expected, 1e-12)
            << c.T << c.unit;
    try {
        toProblemScale({0, -300, 9}, "C", "K");
        ADD_FAILURE();
    } catch (const ReadingsError &e) {
        EXPECT_EQ(e.line(), 9u);
        EXPECT_NE(std::string(e.what()).find("below absolute zero"), std::string::npos);
    }
}

TEST(CheckReadings, EnoughReadingsWithinTheRange)
{
    const auto rows = [](std::vector<double> temperatures) {
        std::vector<Reading> r;
        for (std::size_t i = 0; i < temperatures.size(); ++i)
            r.push_back({10.0 * i, temperatures[i], i + 2});
        return r;
    };
    const struct
    {
        const char *name;
        std::vector<Reading> readings;
        double tI, tInf;
        int parameters;
        std::size_t line; // 0: fine
    } cases[] = {
        {"heating, within 2% over Tinf", rows({-20, 10, 61.59}), -20, 60, 1, 0},
        {"heating, beyond 2% over Tinf", rows({-20, 10, 61.61}), -20, 60, 1, 4},
        {"heating, beyond 2% under Ti", rows({-21.61, 10, 50}), -20, 60, 1, 2},
        {"cooling, within 2% over Ti", rows({101.59, 50, 30}), 100, 20, 1, 0},
        {"cooling, beyond 2% under Tinf", rows({100, 50, 18.39}), 100, 20, 1, 4},
        {"three readings for h", rows({0, 1, 2}), 0, 10, 1, 0},
        {"two readings for h", rows({0, 1}), 0, 10, 1, 3},
        {"three readings for h and alpha", rows({0, 1, 2}), 0, 10, 2, 4},
        {"no readings", rows({}), 0, 10, 1, 0},
    };
    for (const auto &c : cases) {
        std::size_t line = 0;
        bool failed = false;
        try {
            checkReadings(c.readings, c.tI, c.tInf, c.parameters, "C");
        } catch (const ReadingsError &e) {
            failed = true;
            line = e.line();
        }
        EXPECT_EQ(failed, c.line != 0 || c.readings.empty()) << c.name;
        EXPECT_EQ(line, c.line) << c.name;
    }
}

} // namespace
