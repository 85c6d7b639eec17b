// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "quantity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace planewall;

namespace {

struct UnitCase
{
    Quantity quantity;
    const char *symbol;
    // One of the unit in SI: the defining values, and the compound ones worked out with exact
    // rational arithmetic (mpmath, 30 digits) from ft = 0.3048 m, lb = 0.45359237 kg,
    // Btu_IT = 1055.05585262 J, 1 °F difference = 5/9 K, h = 3600 s. They agree with the
    // published conversions (NIST SP 811): 5.678263 W/m²K, 1.730735 W/mK, 16.01846 kg/m³,
    // 4186.8 J/kgK and 2.58064e-5 m²/s, the last two exact.
    double si;
};

class UnitFactor : public testing::TestWithParam<UnitCase>
{
};

TEST_P(UnitFactor, ConvertsToSi)
{
    const UnitCase c = GetParam();
    for (const std::string &text : {std::string("1") + c.symbol, std::string("2.5 ") + c.symbol}) {
        const double written = std::stod(text);
        const Measured m = parseQuantity(text, c.quantity);
        EXPECT_EQ(m.unit, c.symbol) << text;
        EXPECT_NEAR(m.value, written * c.si, 1e-15 * written * c.si) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryUnit, UnitFactor,
    testing::Values(
        UnitCase{Quantity::Length, "m", 1}, UnitCase{Quantity::Length, "cm", 0.01},
        UnitCase{Quantity::Length, "mm", 0.001}, UnitCase{Quantity::Length, "in", 0.0254},
        UnitCase{Quantity::Length, "ft", 0.3048}, UnitCase{Quantity::Time, "s", 1},
        UnitCase{Quantity::Time, "min", 60}, UnitCase{Quantity::Time, "h", 3600},
        UnitCase{Quantity::HeatTransferCoefficient, "W/m2K", 1},
        UnitCase{Quantity::HeatTransferCoefficient, "Btu/h.ft2.F", 5.6782633411134877825},
        UnitCase{Quantity::Conductivity, "W/mK", 1},
        UnitCase{Quantity::Conductivity, "Btu/h.ft.F", 1.7307346663713910761},
        UnitCase{Quantity::Diffusivity, "m2/s", 1}, UnitCase{Quantity::Diffusivity, "mm2/s", 1e-6},
        UnitCase{Quantity::Diffusivity, "ft2/h", 2.58064e-5},
        UnitCase{Quantity::Density, "kg/m3", 1},
        UnitCase{Quantity::Density, "lb/ft3", 16.018463373960139580},
        UnitCase{Quantity::SpecificHeat, "J/kgK", 1},
        UnitCase{Quantity::SpecificHeat, "kJ/kgK", 1000},
        UnitCase{Quantity::SpecificHeat, "Btu/lb.F", 4186.8},
        // Temperatures keep their number; the scale is resolved later.
        UnitCase{Quantity::Temperature, "C", 1}, UnitCase{Quantity::Temperature, "K", 1},
        UnitCase{Quantity::Temperature, "F", 1}));

TEST(Units, SiUnitFirstAndListedForMessages)
{
    EXPECT_EQ(acceptedUnits(Quantity::Length), "m, cm, mm, in, ft");
    EXPECT_EQ(acceptedUnits(Quantity::Temperature), "C, K, F");
    EXPECT_EQ(acceptedUnits(Quantity::Number), "");
    for (const auto &[q, si] : {std::pair{Quantity::Time, "s"},
                                {Quantity::HeatTransferCoefficient, "W/m2K"},
                                {Quantity::Conductivity, "W/mK"},
                                {Quantity::Diffusivity, "m2/s"},
                                {Quantity::Density, "kg/m3"},
                                {Quantity::SpecificHeat, "J/kgK"}}) {
        EXPECT_EQ(unitsOf(q).front().symbol, si);
        EXPECT_EQ(unitsOf(q).front().toSi, 1.0);
    }
}

struct ValueCase
{
    const char *text;
    Quantity quantity;
    double expected; // exactly
    const char *unit;
};

class StrictValue : public testing::TestWithParam<ValueCase>
{
};

TEST_P(StrictValue, ReadsNumberAndUnit)
{
    const ValueCase c = GetParam();
    const Measured m = parseQuantity(c.text, c.quantity);
    EXPECT_EQ(m.value, c.expected) << '"' << c.text << '"';
    EXPECT_EQ(std::signbit(m.value), std::signbit(c.expected)) << '"' << c.text << '"';
    EXPECT_EQ(m.unit, c.unit) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Blanks, StrictValue,
                         testing::Values(ValueCase{"50mm", Quantity::Length, 0.05, "mm"},
                                         ValueCase{"50 mm", Quantity::Length, 0.05, "mm"},
                                         ValueCase{" 50 mm ", Quantity::Length, 0.05, "mm"},
                                         ValueCase{"50\tmm", Quantity::Length, 0.05, "mm"},
                                         ValueCase{"\t50 \t mm\n", Quantity::Length, 0.05, "mm"},
                                         ValueCase{"+5e-2m", Quantity::Length, 0.05, "m"},
                                         ValueCase{" 0.05 ", Quantity::Length, 0.05, ""},
                                         ValueCase{"12.5", Quantity::Number, 12.5, ""}));

// A decimal fraction of the SI unit gives the same double as the SI text (where a product
// with 0.01, 0.001 or 1e-6 would not), and a zero has no sign.
INSTANTIATE_TEST_SUITE_P(ExactValues, StrictValue,
                         testing::Values(ValueCase{"35 cm", Quantity::Length, 0.35, "cm"},
                                         ValueCase{"9mm", Quantity::Length, 0.009, "mm"},
                                         ValueCase{"5 mm2/s", Quantity::Diffusivity, 5e-6, "mm2/s"},
                                         ValueCase{"8min", Quantity::Time, 480, "min"},
                                         ValueCase{"-0", Quantity::Number, 0, ""},
                                         ValueCase{"-0 mm", Quantity::Length, 0, "mm"},
                                         ValueCase{"-0C", Quantity::Temperature, 0, "C"},
                                         ValueCase{"-1e-400 ft", Quantity::Length, 0, "ft"}));

INSTANTIATE_TEST_SUITE_P(Temperatures, StrictValue,
                         testing::Values(ValueCase{"20C", Quantity::Temperature, 20, "C"},
                                         ValueCase{"20 \u00B0C", Quantity::Temperature, 20, "C"},
                                         ValueCase{"68\u00B0F", Quantity::Temperature, 68, "F"},
                                         ValueCase{"0K", Quantity::Temperature, 0, "K"},
                                         ValueCase{"-273.15 C", Quantity::Temperature, -273.15,
                                                   "C"},
                                         ValueCase{"-459.67F", Quantity::Temperature, -459.67, "F"},
                                         ValueCase{"-300", Quantity::Temperature, -300, ""}));

struct ErrorCase
{
    const char *text;
    Quantity quantity;
    std::vector<const char *> says; // fragments the message must contain
};

class NotAStrictValue : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(NotAStrictValue, IsAnErrorThatSaysWhy)
{
    const ErrorCase c = GetParam();
    try {
        const Measured m = parseQuantity(c.text, c.quantity);
        ADD_FAILURE() << '"' << c.text << "\" read as " << m.value << ' ' << m.unit;
    } catch (const QuantityError &e) {
        for (const char *fragment : c.says)
            EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos)
                << '"' << c.text << "\": " << e.what() << "\nlacks: " << fragment;
    }
}

const char *const kLengths = "(accepted: m, cm, mm, in, ft)";

INSTANTIATE_TEST_SUITE_P(
    Rejected, NotAStrictValue,
    testing::Values(
        ErrorCase{"5s", Quantity::Length, {"'5s': 's' is a unit of time, not of length", kLengths}},
        ErrorCase{"5 h",
                  Quantity::HeatTransferCoefficient,
                  {"'h' is a unit of time", "(accepted: W/m2K, Btu/h.ft2.F)"}},
        ErrorCase{"20C", Quantity::Length, {"'C' is a unit of temperature"}},
        ErrorCase{"5m",
                  Quantity::Conductivity,
                  {"'m' is a unit of length, not of thermal conductivity",
                   "(accepted: W/mK, Btu/h.ft.F)"}},
        ErrorCase{"1W/mK",
                  Quantity::Diffusivity,
                  {"unit of thermal conductivity, not of thermal diffusivity",
                   "(accepted: m2/s, mm2/s, ft2/h)"}},
        ErrorCase{"1K",
                  Quantity::SpecificHeat,
                  {"'K' is a unit of temperature, not of specific heat",
                   "(accepted: J/kgK, kJ/kgK, Btu/lb.F)"}},
        ErrorCase{"1 J/kgK",
                  Quantity::Density,
                  {"unit of specific heat, not of density", "(accepted: kg/m3, lb/ft3)"}},
        ErrorCase{"3 W/m2K", Quantity::Time, {"of heat transfer coefficient, not of time"}},
        ErrorCase{"5xyz", Quantity::Length, {"'xyz' is not a unit of length", kLengths}},
        ErrorCase{"5 m m", Quantity::Length, {"'m m' is not a unit of length"}},
        ErrorCase{"5MM", Quantity::Length, {"case-sensitive", kLengths}},
        ErrorCase{"20c", Quantity::Temperature, {"case-sensitive", "(accepted: C, K, F)"}},
        ErrorCase{"5 \u00B0K", Quantity::Temperature, {"is not a unit of temperature"}},
        ErrorCase{"2 W/m2.K", Quantity::HeatTransferCoefficient, {"is not a unit"}},
        ErrorCase{"5m", Quantity::Number, {"'5m'", "takes no unit"}},
        ErrorCase{"5x", Quantity::Number, {"'5x' is not a number"}},
        ErrorCase{"abc", Quantity::Length, {"'abc' is not a number"}},
        ErrorCase{"m", Quantity::Length, {"'m' is not a number"}},
        ErrorCase{"", Quantity::Length, {"empty"}}, ErrorCase{" \t", Quantity::Time, {"empty"}},
        ErrorCase{"1e999", Quantity::Length, {"'1e999' is beyond the range of numbers"}},
        ErrorCase{"1e308 Btu/h.ft2.F",
                  Quantity::HeatTransferCoefficient,
                  {"beyond the range of numbers in W/m2K"}},
        ErrorCase{"nan", Quantity::Number, {"'nan' is not a number"}},
        ErrorCase{"-inf", Quantity::Length, {"infinite"}},
        ErrorCase{"Infinity K", Quantity::Temperature, {"infinite"}},
        ErrorCase{"1,5", Quantity::Number, {"'1,5' is not a number", "decimal point is '.'"}},
        ErrorCase{"1,5 mm", Quantity::Length, {"decimal point"}},
        ErrorCase{"1.5.5", Quantity::Length, {"'1.5.5' is not a number"}},
        ErrorCase{"--5", Quantity::Length, {"'--5' is not a number"}},
        ErrorCase{"1 000", Quantity::Number, {"not a number"}},
        ErrorCase{"1e5e3 m", Quantity::Length, {"not a number"}},
        ErrorCase{"0x10", Quantity::Length, {"'0x10' is not a number"}},
        ErrorCase{"-300C", Quantity::Temperature, {"'-300C' is below absolute zero (-273.15 C)"}},
        ErrorCase{"-460F", Quantity::Temperature, {"below absolute zero (-459.67 F)"}},
        ErrorCase{"-0.001 K", Quantity::Temperature, {"below absolute zero (0 K)"}},
        ErrorCase{"-273.16\u00B0C", Quantity::Temperature, {"below absolute zero"}}));

TEST(NotAStrictValue, LongTextIsEchoedCut)
{
    const std::string text = "5" + std::string(199, 'x');
    try {
        parseQuantity(text, Quantity::Length);
        ADD_FAILURE() << "no error";
    } catch (const QuantityError &e) {
        const std::string message = e.what();
        EXPECT_EQ(message.find('\'' + text.substr(0, 60) + "...'"), 0u) << message;
        EXPECT_LT(message.size(), 220u) << message;
    }
}

struct EchoCase
{
    std::string text;
    std::string expected;
};

class Echoed : public testing::TestWithParam<EchoCase>
{
};

TEST_P(Echoed, CutsAndEscapes)
{
    EXPECT_EQ(echoed(GetParam().text), GetParam().expected);
}

const std::string kA58(58, 'a');

INSTANTIATE_TEST_SUITE_P(
    Rows, Echoed,
    testing::Values(EchoCase{"20 \u00B0C", "20 \u00B0C"},
                    EchoCase{std::string(60, 'a'), std::string(60, 'a')},
                    EchoCase{std::string(200, 'a'), std::string(60, 'a') + "..."},
                    // The cut counts characters, not bytes, and keeps a multibyte one whole.
                    EchoCase{kA58 + "\u20AC\u20AC\u20AC", kA58 + "\u20AC\u20AC..."},
                    EchoCase{kA58 + "a\u20AC", kA58 + "a\u20AC"},
                    EchoCase{std::string(60, 'a') + "\u20AC", std::string(60, 'a') + "..."},
                    // Nothing that a terminal obeys, nothing that is not UTF-8.
                    EchoCase{"50\tmm", "50\\tmm"}, EchoCase{"a\nb\r", "a\\nb\\r"},
                    EchoCase{"5\x1b[2Jm", "5\\x1b[2Jm"},
                    EchoCase{std::string("a\0b", 3), "a\\x00b"}, EchoCase{"\x7f", "\\x7f"},
                    EchoCase{"\xc2\x9b", "\\u009b"}, EchoCase{"a\\b", "a\\\\b"},
                    EchoCase{"\xff", "\\xff"}, EchoCase{"\xc0\xaf", "\\xc0\\xaf"},
                    EchoCase{"\xed\xa0\x80", "\\xed\\xa0\\x80"}, EchoCase{"\xe2\x82", "\\xe2\\x82"},
                    EchoCase{"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
                    EchoCase{"\xe0\x9f\xbf", "\\xe0\\x9f\\xbf"},
                    EchoCase{"\xf0\x8f\xbf\xbf", "\\xf0\\x8f\\xbf\\xbf"},
                    EchoCase{"\xc2\xa0\xed\x9f\xbf", "\xc2\xa0\xed\x9f\xbf"},
                    EchoCase{"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"}));

struct ScaleCase
{
    std::vector<const char *> texts; // T_i, T∞, targets
    const char *scale;
    std::vector<double> expected;
};

class TemperatureScaleRule : public testing::TestWithParam<ScaleCase>
{
};

TEST_P(TemperatureScaleRule, ConvertsEachIntoTheProblemsScale)
{
    const ScaleCase c = GetParam();
    std::vector<Measured> parsed;
    for (const char *text : c.texts)
        parsed.push_back(parseQuantity(text, Quantity::Temperature));
    const ResolvedTemperatures r = resolveTemperatures(parsed);
    EXPECT_EQ(r.scale.unit, c.scale);
    ASSERT_EQ(r.values.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_NEAR(r.values[i], c.expected[i], 1e-12) << c.texts[i];
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TemperatureScaleRule,
    testing::Values(ScaleCase{{"20C", "68F"}, "C", {20, 20}},
                    ScaleCase{{"20", "30", "25"}, "", {20, 30, 25}},
                    // A plain T_i is in the unit the others first give.
                    ScaleCase{{"300", "27C"}, "C", {300, 27}},
                    ScaleCase{{"20", "68F", "300K"}, "F", {20, 68, 80.33}},
                    ScaleCase{{"20C", "300", "32F"}, "C", {20, 300, 0}},
                    ScaleCase{{"293.15K", "20C", "32F"}, "K", {293.15, 293.15, 273.15}},
                    ScaleCase{{"0F", "-40C", "255.3722222222222K"}, "F", {0, -40, 0}},
                    ScaleCase{{"212F", "100 C", "373.15 K"}, "F", {212, 212, 212}},
                    ScaleCase{{"-459.67F", "0K"}, "F", {-459.67, -459.67}}));

TEST(TemperatureScaleRule, PlainValueBelowAbsoluteZeroInTheScale)
{
    const Measured temperatures[] = {{20, "C"}, {-300, ""}};
    try {
        resolveTemperatures(temperatures);
        ADD_FAILURE() << "no error";
    } catch (const QuantityError &e) {
        EXPECT_EQ(e.index(), 1u);
        EXPECT_NE(std::string(e.what()).find("-300 C is below absolute zero"), std::string::npos)
            << e.what();
    }
    // 1e308 C is a temperature, but not one a double holds in F.
    const Measured hot[] = {{0, "F"}, {1e308, "C"}};
    try {
        resolveTemperatures(hot);
        ADD_FAILURE() << "no error";
    } catch (const QuantityError &e) {
        EXPECT_EQ(e.index(), 1u);
        EXPECT_NE(std::string(e.what()).find("beyond the range of numbers in F"), std::string::npos)
            << e.what();
    }
    // In the unnamed scale there is no absolute zero to check.
    const Measured unnamed[] = {{20, ""}, {-300, ""}};
    EXPECT_EQ(resolveTemperatures(unnamed).values[1], -300);
    // Absolute zero itself is a temperature.
    const Measured zero[] = {{-273.15, "C"}, {0, "K"}};
    EXPECT_EQ(resolveTemperatures(zero).values[0], -273.15);
    EXPECT_EQ(resolveTemperatures(zero).values[1], -273.15);
}

TEST(TemperatureScaleRule, ToScaleIsAffine)
{
    EXPECT_EQ(toScale(100, "C", "F"), 212);
    EXPECT_EQ(toScale(212, "F", "C"), 100);
    EXPECT_EQ(toScale(-40, "F", "C"), -40);
    EXPECT_EQ(toScale(0, "K", "F"), -459.67);
    EXPECT_NEAR(toScale(32, "F", "K"), 273.15, 1e-13);
    EXPECT_NEAR(toScale(373.15, "K", "C"), 100, 1e-13);
    EXPECT_DOUBLE_EQ(toScale(9e307, "K", "F"), 1.62e308);
    EXPECT_DOUBLE_EQ(toScale(1.62e308, "F", "K"), 9e307); // 1.62e308 * 5 alone overflows
    EXPECT_DOUBLE_EQ(toScale(4.772e307, "F", "C"), 4.772e307 / 1.8);
    EXPECT_EQ(toScale(5, "", "C"), 5);
    EXPECT_EQ(toScale(5, "K", "K"), 5);
    EXPECT_THROW(toScale(5, "R", "C"), std::invalid_argument);
}

} // namespace
