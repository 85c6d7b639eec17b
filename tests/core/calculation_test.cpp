// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "arithmetic_error.h"
#include "calculation.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

using namespace planewall;

namespace {

struct Write
{
    Slot slot;
    std::string text;
};

// Records every write, and keeps each slot's text as a result box would.
class RecordingSink : public ResultSink
{
public:
    void write(Slot slot, std::string_view text, double value) override
    {
        writes.push_back({slot, std::string(text)});
        texts[static_cast<int>(slot)] = text;
        EXPECT_EQ(text, slot == Slot::Bi ? formatBiot(value) : formatRoot(value));
    }
    void inputsRead(double h, double L, double k) override { inputs = {h, L, k}; }

    std::vector<Write> writes;
    std::array<std::string, 5> texts;
    std::vector<double> inputs;
};

struct RunCase
{
    const char *name;
    const char *h, *L, *k;
    std::array<const char *, 5> expected;
};

const char *const kBi1e300
    = "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786"
      "3713750804478640437044438328838781769425232353604305756447921847867069828483872009265"
      "7580373783023379478809005936895323497079994508111903896764088007465274278014249457925"
      "8788820056842838115669472196386865459400540160.00";

const RunCase kRunCases[] = {
    {"start values", "1", "1", "1", {"1.00", "0.8603", "3.4256", "6.4373", "9.5293"}},
    {"h 2.5", "2.5", "1", "1", {"2.50", "1.1422", "3.7318", "6.6431", "9.6776"}},
    {"empty h", "", "1", "1", {"0.00", "0.0008", "3.1416", "6.2832", "9.4248"}},
    {"Bi 5, second band", "5", "1", "1", {"5.00", "1.3138", "4.0336", "6.9096", "9.8928"}},
    {"Bi 4.99, own root", "4.99", "1", "1", {"4.99", "1.3134", "4.0327", "6.9087", "9.8920"}},
    {"Bi 100", "100", "1", "1", {"100.00", "1.5552", "4.6658", "7.7764", "10.8871"}},
    {"Bi 101", "101", "1", "1", {"101.00", "1.5554", "4.6662", "7.7771", "10.8882"}},
    {"Bi 1000", "1000", "1", "1", {"1000.00", "1.5692", "4.7077", "7.8461", "10.9846"}},
    {"negative h", "-1", "1", "1", {"-1.00", "2.7984", "6.1213", "9.3179", "12.4865"}},
    {"comma", "1,5", "1", "1", {"1.00", "0.8603", "3.4256", "6.4373", "9.5293"}},
    {"letters", "abc", "1", "1", {"0.00", "0.0008", "3.1416", "6.2832", "9.4248"}},
    {"h L / k in that order", "3", "0.5", "0.25", {"6.00", "1.3496", "4.1116", "6.9924", "9.9667"}},
    {"Bi 1e6", "1e6", "1", "1", {"1000000.00", "1.5708", "4.7124", "7.8540", "10.9956"}},
    {"Bi 4.4, own root", "4.4", "1", "1", {"4.40", "1.2864", "3.9774", "6.8539", "9.8451"}},
    {"Bi 1e300", "1e300", "1", "1", {kBi1e300, "1.5708", "4.7124", "7.8540", "10.9956"}},
};

TEST(Calculate, WritesBiOnceThenEveryIterateOfEachRootInTurn)
{
    for (const RunCase &c : kRunCases) {
        RecordingSink sink;
        calculate(c.h, c.L, c.k, sink);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(sink.texts[i], c.expected[i]) << c.name << " slot " << i;

        ASSERT_FALSE(sink.writes.empty());
        EXPECT_EQ(sink.writes.front().slot, Slot::Bi) << c.name;
        // Slots only move forward: root n + 1 starts once root n has ended.
        for (std::size_t i = 1; i < sink.writes.size(); ++i)
            EXPECT_LE(sink.writes[i - 1].slot, sink.writes[i].slot) << c.name;
        EXPECT_EQ(std::count_if(sink.writes.begin(), sink.writes.end(),
                                [](const Write &w) { return w.slot == Slot::Bi; }),
                  1)
            << c.name;

        const Solution s = solve(c.h, c.L, c.k);
        EXPECT_EQ(formatBiot(s.bi), c.expected[0]) << c.name;
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(formatRoot(s.zeta[n - 1]), c.expected[n]) << c.name;
    }
}

TEST(Calculate, ShowsEveryNewtonStep)
{
    RecordingSink sink;
    calculate("1", "1", "1", sink);
    std::vector<std::string> zeta1;
    for (const Write &w : sink.writes)
        if (w.slot == Slot::Zeta1)
            zeta1.push_back(w.text);
    EXPECT_EQ(zeta1, (std::vector<std::string>{"0.8881", "0.8615", "0.8603", "0.8603"}));
    EXPECT_EQ(sink.inputs, (std::vector<double>{1, 1, 1}));
}

struct ErrorCase
{
    const char *name;
    const char *h, *L, *k;
    ArithmeticKind kind;
    FailedStep step;
    bool inputsRead;
};

TEST(Calculate, AnArithmeticErrorStopsTheRunBeforeAnyWrite)
{
    const ErrorCase cases[] = {
        {"k 0", "1", "1", "0", ArithmeticKind::DivisionByZero, FailedStep::QuotientByK, true},
        {"0 / 0", "0", "1", "0", ArithmeticKind::DivisionByZero, FailedStep::QuotientByK, true},
        {"k -0", "1", "1", "-0", ArithmeticKind::DivisionByZero, FailedStep::QuotientByK, true},
        {"h L too large", "1e200", "1e200", "1", ArithmeticKind::Overflow, FailedStep::ProductHL,
         true},
        // The product comes first: its overflow is the failure, not the zero k after it.
        {"h L too large and k 0", "1e200", "-1e200", "0", ArithmeticKind::Overflow,
         FailedStep::ProductHL, true},
        {"h L / k too large", "1e300", "1", "1e-300", ArithmeticKind::Overflow,
         FailedStep::QuotientByK, true},
        {"h unreadable", "1e999", "1", "1", ArithmeticKind::Overflow, FailedStep::ReadH, false},
        {"k unreadable", "1", "1", "-1e400", ArithmeticKind::Overflow, FailedStep::ReadK, false},
    };
    for (const ErrorCase &c : cases) {
        RecordingSink sink;
        try {
            calculate(c.h, c.L, c.k, sink);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const ArithmeticError &e) {
            EXPECT_EQ(e.kind(), c.kind) << c.name;
            EXPECT_EQ(e.step(), c.step) << c.name;
        }
        EXPECT_TRUE(sink.writes.empty()) << c.name;
        EXPECT_EQ(sink.inputs.empty(), !c.inputsRead) << c.name;
        EXPECT_THROW(solve(c.h, c.L, c.k), ArithmeticError) << c.name;
    }
}

} // namespace
