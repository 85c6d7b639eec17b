// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "result_notes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace planewall;

namespace {

TEST(ResultNotes, TenSignificantDigits)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        {0, "0"},
        {0.86033358901937976, "0.860333589"}, // the trailing 0 of 0.8603358890 dropped
        {9.99999999996, "10"}, // rounding carries into a new digit
        {-2.5, "-2.5"},
        {0.000999999833333364, "0.0009999998333"}, // still without an exponent
        {0.0000123456789012, "1.23456789e-05"},
        {1e-150, "1e-150"},
        {12345678901.0, "1.23456789e+10"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tenSignificantDigits(c.value), c.text) << c.value;
}

// Roots from 40-digit bisection in mpmath, in the calculator's interval for each root.
TEST(ResultNotes, RootNoteGivesThePreciseRoot)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        const char *shown;
        double bi;
        int n;
        const char *note;
    } cases[] = {
        // The search's last step stops short of the double root at 0.
        {"0.0008", 0, 1, "0.0008 shown; the root is 0"},
        {"3.1416", 0, 2, "3.1416 shown; the root is 3.141592654"},
        {"0.8603", 1, 1, "0.8603 shown; the root is 0.860333589"},
        {"9.5293", 1, 4, "9.5293 shown; the root is 9.529334405"},
        {"0.0010", 1e-6, 1, "0.0010 shown; the root is 0.0009999998333"},
        {"0.0000", 1e-300, 1, "0.0000 shown; the root is 1e-150"},
        {"1.5708", 1e10, 1, "1.5708 shown; the root is 1.570796327"},
        {"7.7764", 100, 3, "7.7764 shown; the root is 7.776374078"},
        // Below 0 the roots lie in ((n - 1/2)π, nπ).
        {"2.7984", -1, 1, "2.7984 shown; the root is 2.798386046"},
        {"6.1213", -1, 2, "6.1213 shown; the root is 6.121250467"},
        {"12.4865", -1, 4, "12.4865 shown; the root is 12.4864544"},
        {"2.0430", -4, 1, "2.0430 shown; the root is 2.043008612"},
        // Nothing the precise search can give.
        {"1.5708", inf, 1, "1.5708 shown; the precise root is not computed"},
        {"0.0000", std::nan(""), 1, "0.0000 shown; the precise root is not computed"},
        {"0.8603", 1, 0, "0.8603 shown; the precise root is not computed"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rootNote(c.shown, preciseRootText(c.bi, c.n)), c.note) << c.bi << " " << c.n;
}

} // namespace
