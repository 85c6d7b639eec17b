// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The explorer's field texts: reading with '.' or ',' and the chooser's unit, the conversion
// when a chooser changes, and how numbers and units are written for display.

#include "field_text.h"
#include "value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace planewall;

namespace {

struct ReadCase
{
    const char *text;
    Quantity quantity;
    const char *unit;
    double expected; // NaN: an error whose message holds `message`
    const char *message = "";
    double relativeTolerance = 0; // 0: the double nearest the decimal the text means
};

class FieldReading : public testing::TestWithParam<ReadCase>
{
};

TEST_P(FieldReading, ReadsOrNamesTheFault)
{
    const ReadCase c = GetParam();
    if (std::isnan(c.expected)) {
        try {
            readField(c.text, c.quantity, c.unit);
            FAIL() << "read '" << c.text << "' without an error";
        } catch (const QuantityError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        return;
    }
    EXPECT_NEAR(readField(c.text, c.quantity, c.unit), c.expected,
                c.relativeTolerance * std::abs(c.expected))
        << c.text;
}

constexpr double kError = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldReading,
    testing::Values(
        ReadCase{"1.5", Quantity::Length, "m", 1.5}, ReadCase{"1,5", Quantity::Length, "m", 1.5},
        ReadCase{" -2,5e3 ", Quantity::Time, "s", -2500},
        ReadCase{",5", Quantity::Length, "m", 0.5}, ReadCase{"7.", Quantity::Length, "m", 7},
        ReadCase{"-0", Quantity::Length, "m", 0},
        // Exact division by the power of ten, not a product with 0.001.
        ReadCase{"50", Quantity::Length, "mm", 0.05}, ReadCase{"0,3", Quantity::Length, "mm", 3e-4},
        ReadCase{"2", Quantity::Length, "in", 0.0508}, ReadCase{"10", Quantity::Time, "min", 600},
        // 5.6782633411134877825, from its defining factors with mpmath.
        ReadCase{"1", Quantity::HeatTransferCoefficient, "Btu/h.ft2.F", 5.6782633411134878, "",
                 2e-16},
        ReadCase{"1", Quantity::SpecificHeat, "Btu/lb.F", 4186.8},
        // Temperatures keep their number; absolute zero itself is allowed.
        ReadCase{"-459,67", Quantity::Temperature, "F", -459.67},
        ReadCase{"300", Quantity::Temperature, "K", 300},
        ReadCase{"-300", Quantity::Temperature, "C", kError,
                 "below absolute zero (-273.15 \u00B0C)"},
        ReadCase{"-1", Quantity::Temperature, "K", kError, "below absolute zero (0 K)"},
        // No grouping, in either convention, and never two points.
        ReadCase{"1,000.5", Quantity::Length, "m", kError, "no grouping"},
        ReadCase{"1.000,5", Quantity::Length, "m", kError, "no grouping"},
        ReadCase{"1,5,5", Quantity::Length, "m", kError, "no grouping"},
        ReadCase{"1 000", Quantity::Length, "m", kError, "is not a number"},
        ReadCase{"", Quantity::Length, "m", kError, "a number is needed"},
        ReadCase{" \t", Quantity::Length, "m", kError, "a number is needed"},
        ReadCase{"abc", Quantity::Length, "m", kError, "'abc' is not a number"},
        ReadCase{"0x10", Quantity::Length, "m", kError, "is not a number"},
        ReadCase{"inf", Quantity::Length, "m", kError, "is not a number"},
        ReadCase{"nan", Quantity::Length, "m", kError, "is not a number"},
        ReadCase{"1e5e3", Quantity::Length, "m", kError, "is not a number"},
        ReadCase{"1e999", Quantity::Length, "m", kError, "beyond the range of numbers"},
        // In range as typed, beyond it once in seconds.
        ReadCase{"1e308", Quantity::Time, "h", kError, "beyond the range of numbers in s"},
        // A unit typed into the field is pointed to the chooser; another quantity's is not.
        ReadCase{"5cm", Quantity::Length, "m", kError, "choose the unit beside the field"},
        ReadCase{"20 \u00B0C", Quantity::Temperature, "C", kError, "choose the unit"},
        ReadCase{"5 s", Quantity::Length, "m", kError, "'5 s' is not a number"}));

TEST(FieldReading, NumberAloneTakesNoUnitHint)
{
    EXPECT_EQ(readFieldNumber("2,25"), 2.25);
    EXPECT_THROW(readFieldNumber("5 m"), QuantityError);
}

TEST(FieldUnits, FromSiInvertsEachUnitExactlyWhereItCan)
{
    // Each unit's size in SI, written independently of the table (NIST SP 811).
    EXPECT_EQ(fromSi(0.05, unitOf(Quantity::Length, "mm")), 50);
    EXPECT_EQ(fromSi(0.013, unitOf(Quantity::Length, "mm")), 13);
    EXPECT_EQ(fromSi(0.3048, unitOf(Quantity::Length, "ft")), 1);
    EXPECT_EQ(fromSi(5400, unitOf(Quantity::Time, "h")), 1.5);
    EXPECT_DOUBLE_EQ(fromSi(1, unitOf(Quantity::SpecificHeat, "Btu/lb.F")), 2.3884589662749594e-4);
    EXPECT_DOUBLE_EQ(fromSi(1, unitOf(Quantity::Diffusivity, "ft2/h")), 38750.077500155);
    EXPECT_THROW(unitOf(Quantity::Length, "s"), std::invalid_argument);
}

struct ConvertCase
{
    const char *name;
    const char *text;
    Quantity quantity;
    const char *from, *to;
    const char *expected;
};

class FieldConversion : public testing::TestWithParam<ConvertCase>
{
};

TEST_P(FieldConversion, ShowsTheSameAmountInTheNewUnit)
{
    const ConvertCase c = GetParam();
    EXPECT_EQ(convertFieldText(c.text, c.quantity, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldConversion,
    testing::Values(
        ConvertCase{"MetresToFeet", "1", Quantity::Length, "m", "ft", "3.28083989501"},
        ConvertCase{"MillimetresToMetres", "50", Quantity::Length, "mm", "m", "0.05"},
        ConvertCase{"CommaKept", "0,05", Quantity::Length, "m", "mm", "50"},
        ConvertCase{"CommaKeptInFraction", "1,5", Quantity::Length, "mm", "cm", "0,15"},
        ConvertCase{"HoursToMinutes", "1.5", Quantity::Time, "h", "min", "90"},
        // 100 / 5.6782633411134877825 with mpmath.
        ConvertCase{"CoefficientToBtu", "100", Quantity::HeatTransferCoefficient, "W/m2K",
                    "Btu/h.ft2.F", "17.6110183682"},
        ConvertCase{"CelsiusToFahrenheit", "20", Quantity::Temperature, "C", "F", "68"},
        ConvertCase{"FahrenheitToKelvin", "68", Quantity::Temperature, "F", "K", "293.15"},
        ConvertCase{"KelvinToCelsius", "0", Quantity::Temperature, "K", "C", "-273.15"},
        ConvertCase{"SameUnitTidies", "2.50", Quantity::Length, "m", "m", "2.5"},
        ConvertCase{"UnreadableKept", "abc", Quantity::Length, "m", "ft", "abc"},
        ConvertCase{"BelowAbsoluteZeroKept", "-500", Quantity::Temperature, "C", "K", "-500"},
        ConvertCase{"OverflowKept", "1e308", Quantity::Length, "m", "mm", "1e308"},
        ConvertCase{"SmallStaysExact", "1.5e-7", Quantity::Length, "mm", "m", "1.5e-10"}),
    [](const testing::TestParamInfo<ConvertCase> &row) { return row.param.name; });

TEST(UnitField, ConvertsFromWhatWasTyped)
{
    UnitField field(Quantity::Length, "1", "m");
    EXPECT_EQ(field.changeUnit("ft"), "3.28083989501");
    EXPECT_EQ(field.changeUnit("in"), "39.3700787402");
    EXPECT_EQ(field.changeUnit("m"), "1"); // not 0.99999999999 from the inches
    field.changeUnit("cm");
    field.type("2,5");
    EXPECT_EQ(field.changeUnit("mm"), "25");
    EXPECT_EQ(field.changeUnit("cm"), "2,5");
    EXPECT_EQ(field.unit(), "cm");
    field.type("oops");
    EXPECT_EQ(field.changeUnit("m"), "oops"); // nothing to convert: the error shows as before
    EXPECT_THROW(field.changeUnit("s"), std::invalid_argument);
    UnitField temperature(Quantity::Temperature, "100", "C");
    EXPECT_EQ(temperature.changeUnit("F"), "212");
    EXPECT_EQ(temperature.changeUnit("K"), "373.15");
    EXPECT_EQ(temperature.changeUnit("C"), "100");
}

TEST(FieldText, HandsOverTheDoubleExactly)
{
    EXPECT_EQ(fieldText(0.1), "0.1");
    EXPECT_EQ(fieldText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(fieldText(1e-300), "1e-300");
    EXPECT_EQ(fieldText(2.5e20), "2.5e20");
    EXPECT_EQ(fieldText(-0.0), "0");
    EXPECT_EQ(fieldText(2.5, ','), "2,5");
    for (double value : {0.1 + 0.2, 1.0 / 3, 6.02214076e23, 5e-324})
        EXPECT_EQ(readFieldNumber(fieldText(value, ',')), value);
}

struct SignificantCase
{
    double value;
    int digits;
    const char *expected;
};

class Significant : public testing::TestWithParam<SignificantCase>
{
};

TEST_P(Significant, RoundsThenWritesOut)
{
    const SignificantCase c = GetParam();
    EXPECT_EQ(formatSignificant(c.value, c.digits), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Significant,
    testing::Values(SignificantCase{0.050000, 4, "0.05"}, SignificantCase{123456, 3, "123000"},
                    SignificantCase{2040.3, 3, "2040"}, SignificantCase{-1700.4, 3, "-1700"},
                    SignificantCase{9.9996, 4, "10"}, SignificantCase{0.000012345, 3, "0.0000123"},
                    SignificantCase{1e-6, 3, "1e-6"}, SignificantCase{-1.78e-15, 3, "-1.78e-15"},
                    SignificantCase{1.5e20, 3, "1.5e20"},
                    SignificantCase{999999999999999, 17, "999999999999999"},
                    SignificantCase{1e15, 3, "1e15"}, SignificantCase{-0.0, 6, "0"},
                    SignificantCase{87.320054035943266, 6, "87.3201"}));

TEST(DisplayUnit, PrintsExponentsDotsAndDegrees)
{
    EXPECT_EQ(displayUnit("m2/s"), "m\u00B2/s");
    EXPECT_EQ(displayUnit("W/m2K"), "W/m\u00B2K");
    EXPECT_EQ(displayUnit("lb/ft3"), "lb/ft\u00B3");
    EXPECT_EQ(displayUnit("Btu/h.ft2.F"), "Btu/h\u00B7ft\u00B2\u00B7\u00B0F");
    EXPECT_EQ(displayUnit("C"), "\u00B0C");
    EXPECT_EQ(displayUnit("K"), "K");
    EXPECT_EQ(displayUnit(""), "");
    EXPECT_EQ(formatWithUnit(550, "C"), "550 \u00B0C");
    EXPECT_EQ(axisTitle("x", "mm"), "x (mm)");
    EXPECT_EQ(axisTitle("Fo", ""), "Fo");
}

} // namespace
