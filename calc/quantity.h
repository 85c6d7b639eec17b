// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace planewall {

// Option values with units. A value is strict: optional blanks, a number in the grammar of
// readNumberPrefix (sign, digits, one '.', exponent; no hex, inf or nan), optional blanks, an
// optional unit, optional blanks, and nothing else. Blanks are space, tab, CR, LF, VT and FF.
// The unit is one of the quantity's symbols, written exactly (case-sensitive); a plain number
// is in the SI unit. "°C" and "°F" (with the UTF-8 degree sign) are also read as C and F, but
// messages list the temperature units as C, K, F.

enum class Quantity {
    Number, // dimensionless: no unit allowed
    Length,
    Time,
    HeatTransferCoefficient,
    Conductivity,
    Diffusivity,
    Density,
    SpecificHeat,
    Temperature,
};

struct Unit
{
    std::string_view symbol;
    // One of this unit in the SI unit. For a temperature: the size of its degree in kelvin (the
    // scales differ by an offset too, so temperatures convert with toScale instead).
    double toSi;
    // When nonzero, the unit is the SI unit divided by this exact power of ten, and values are
    // divided by it rather than multiplied by toSi, so that "50mm" is the same double as
    // "0.05" (a product with the inexact 0.001 may differ from it in the last bit).
    double siDivisor;
};

// The units of a quantity, its SI unit first; empty for Quantity::Number.
std::span<const Unit> unitsOf(Quantity quantity);
// The symbols for a message: "m, cm, mm, in, ft".
std::string acceptedUnits(Quantity quantity);
// The quantity in words, for messages: "length", "heat transfer coefficient", ...
std::string_view quantityName(Quantity quantity);
// The value of `value` units of `unit` in the SI unit (not for temperatures).
double toSi(double value, const Unit &unit);

// Why a text is not a strict value of its quantity. what() has no option name, so that a
// front end can prefix its own: "'5s': s is a unit of time, not of length (accepted: m, cm, mm,
// in, ft)", "'abc' is not a number", "'1e999' is beyond the range of numbers". The value's text
// appears in it only as echoed() shows it.
class QuantityError : public std::runtime_error
{
public:
    static constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);

    explicit QuantityError(const std::string &message, std::size_t index = kNoIndex)
        : std::runtime_error(message), m_index(index)
    { }

    // For resolveTemperatures: the position of the temperature the error is about.
    std::size_t index() const noexcept { return m_index; }

private:
    std::size_t m_index;
};

struct Measured
{
    // In the SI unit, except temperatures, which keep the number as written.
    double value;
    // The unit's symbol as the quantity's table spells it ("C" for "°C"); "" for a plain number.
    std::string_view unit;
};

// Reads a strict value of the quantity. The result is finite, and a zero is +0 ("-0" reads as
// 0). A temperature with a unit below absolute zero is an error; a plain one cannot be checked
// until its scale is known (resolveTemperatures).
Measured parseQuantity(std::string_view text, Quantity quantity);
// A strict plain number: parseQuantity(text, Quantity::Number).value.
double parseNumber(std::string_view text);

// A text for a message: at most its first 60 characters, then "..." when it is longer. The cut
// never splits a UTF-8 sequence. Control characters and bytes that are not UTF-8 show as
// escapes ("\t", "\x1b", "\xff"), and a backslash as "\\", so the result is always valid UTF-8
// that cannot move a terminal's cursor.
std::string echoed(std::string_view text);

inline constexpr std::size_t kEchoedCharacters = 60;

// Temperatures: without any unit they are in one unnamed scale, and so are the answers. Once
// any temperature has a unit, the problem has a scale: T_i's unit when T_i has one, otherwise
// the first unit among the others in their order. Plain temperatures are read in that scale
// (so a plain T_i with T∞ given in C is in C too), the others are converted into it, and the
// answers are given in it. Differences are only ever taken within the one scale, so no offset
// between C, K and F enters θ*.
struct TemperatureScale
{
    std::string_view unit; // "C", "K", "F", or "" for the unnamed scale
};

// The scale of temperatures given in order of precedence (T_i first, then T∞, then targets).
TemperatureScale temperatureScale(std::span<const Measured> temperatures);

struct ResolvedTemperatures
{
    TemperatureScale scale;
    std::vector<double> values; // each temperature in the scale, in the order given
};

// The scale and each temperature in it. A temperature below absolute zero, read in its own
// unit or, when plain, in the scale's, is a QuantityError whose index() is its position.
ResolvedTemperatures resolveTemperatures(std::span<const Measured> temperatures);

// The temperature `value` in `fromUnit` expressed in `toUnit` (each "C", "K" or "F"); a plain
// value ("" as fromUnit) is already in the target scale, and so is any value when toUnit is "".
// The conversions are affine: they are for temperatures, never for differences.
double toScale(double value, std::string_view fromUnit, std::string_view toUnit);

// Absolute zero in a temperature unit: -273.15 for C, 0 for K, -459.67 for F.
double absoluteZero(std::string_view unit);

} // namespace planewall
