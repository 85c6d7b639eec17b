// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "arithmetic_error.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <string>

using namespace planewall;

namespace {

struct ReadCase
{
    const char *text;
    double expected;
};

class ReadNumber : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadNumber, TakesTheNumberTheTextBeginsWith)
{
    const ReadCase c = GetParam();
    const double value = readNumber(c.text, FailedStep::ReadH);
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
    EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ReadNumber,
    testing::Values(ReadCase{"1", 1}, ReadCase{"", 0}, ReadCase{"2.5", 2.5}, ReadCase{"-1", -1},
                    ReadCase{"+.5", 0.5}, ReadCase{"5.", 5}, ReadCase{".", 0}, ReadCase{"-", 0},
                    ReadCase{"- 5", 0}, ReadCase{"1,5", 1}, ReadCase{"abc", 0},
                    ReadCase{"12abc", 12}, ReadCase{" \t 2.5", 2.5}, ReadCase{"3\n", 3},
                    ReadCase{"\f\v\r4", 4}, ReadCase{"1 000", 1}, ReadCase{"2e3", 2000},
                    ReadCase{"2E-3", 0.002}, ReadCase{"2e", 2}, ReadCase{"2e+", 2},
                    ReadCase{"2e-x", 2}, ReadCase{"2d3", 2}, ReadCase{"1.5.5", 1.5},
                    ReadCase{"0x10", 0}, ReadCase{"0x1p3", 0}, ReadCase{"inf", 0},
                    ReadCase{"-inf", 0}, ReadCase{"nan", 0}, ReadCase{"-0", -0.0},
                    ReadCase{"0e999999", 0}, ReadCase{"00000000000000000000012.5", 12.5}));

INSTANTIATE_TEST_SUITE_P(
    CorrectRounding, ReadNumber,
    testing::Values(ReadCase{"0.1", 0.1}, ReadCase{"9007199254740993", 9007199254740992.0},
                    ReadCase{"1.7976931348623157e308", DBL_MAX},
                    ReadCase{"4.9406564584124654e-324", 4.9406564584124654e-324},
                    ReadCase{"1e-320", 1e-320}, ReadCase{"1e-400", 0}, ReadCase{"-1e-400", -0.0},
                    ReadCase{"0.000000000001e-390", 0}, ReadCase{"1e-99999999999999999999", 0}));

TEST(ReadNumberOverflow, BeyondTheDoubleRangeIsAnOverflowOfTheGivenText)
{
    const std::string fourHundredDigits(400, '7');
    for (const std::string &text :
         {std::string("1e999"), std::string("-1e999"), std::string("1.8e308"),
          std::string("1e99999999999999999999"), std::string("1e9999999999999999999"),
          std::string("0.001e312"), fourHundredDigits}) {
        try {
            readNumber(text, FailedStep::ReadL);
            ADD_FAILURE() << "no error for " << text;
        } catch (const ArithmeticError &e) {
            EXPECT_EQ(e.kind(), ArithmeticKind::Overflow) << text;
            EXPECT_EQ(e.step(), FailedStep::ReadL) << text;
            EXPECT_STREQ(e.what(), "overflow");
        }
    }
}

struct FormatCase
{
    double value;
    int places;
    const char *expected;
};

class FormatFixed : public testing::TestWithParam<FormatCase>
{
};

TEST_P(FormatFixed, ShowsTheValueRoundedToItsPlaces)
{
    const FormatCase c = GetParam();
    EXPECT_EQ(formatFixed(c.value, c.places), c.expected) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatFixed,
    testing::Values(FormatCase{1, 2, "1.00"}, FormatCase{0.86033358902464108, 4, "0.8603"},
                    FormatCase{1000, 2, "1000.00"}, FormatCase{1234567.891, 2, "1234567.89"},
                    FormatCase{1e20, 2, "100000000000000000000.00"}, FormatCase{-1, 2, "-1.00"},
                    FormatCase{0.00004999, 4, "0.0000"}, FormatCase{10.99557, 4, "10.9956"}));

// Exact halves round away from zero; values only near a half round to the nearer side.
INSTANTIATE_TEST_SUITE_P(Halves, FormatFixed,
                         testing::Values(FormatCase{0.125, 2, "0.13"},
                                         FormatCase{-0.125, 2, "-0.13"},
                                         FormatCase{0.375, 2, "0.38"}, FormatCase{0.625, 2, "0.63"},
                                         FormatCase{0.03125, 4, "0.0313"},
                                         FormatCase{2.675, 2, "2.67"},
                                         FormatCase{1.0005, 3, "1.000"}, FormatCase{9.5, 0, "10"},
                                         FormatCase{-9.5, 0, "-10"}, FormatCase{0.5, 0, "1"}));

INSTANTIATE_TEST_SUITE_P(Signs, FormatFixed,
                         testing::Values(FormatCase{-0.0, 2, "0.00"},
                                         FormatCase{-0.001, 2, "-0.00"},
                                         FormatCase{-0.0, 4, "0.0000"}));

TEST(FormatFixedRange, TheLargestDoubleShowsAllItsDigits)
{
    EXPECT_THROW(formatFixed(1, -1), std::invalid_argument);
    // 309 integer digits and 400 decimals: far beyond the display formats, yet every digit.
    const std::string wide = formatFixed(-DBL_MAX, 400);
    EXPECT_EQ(wide.size(), 1u + 309u + 1u + 400u);
    EXPECT_EQ(wide.substr(wide.size() - 401), "." + std::string(400, '0'));

    const std::string text = formatFixed(DBL_MAX, 2);
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(0, 17), "17976931348623157");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

} // namespace
