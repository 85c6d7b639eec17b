// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "quantity.h"

#include "arithmetic_error.h"
#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace planewall {

namespace {

// The defining factors; every compound factor below is derived from these.
constexpr double kFoot = 0.3048; // m
constexpr double kInch = 0.0254; // m
constexpr double kPound = 0.45359237; // kg
constexpr double kBtu = 1055.05585262; // J, the International Table Btu
constexpr double kFahrenheitDegree = 5.0 / 9.0; // K, a difference of 1 °F
constexpr double kMinute = 60; // s
constexpr double kHour = 3600; // s

constexpr Unit kLengthUnits[] = {
    {"m", 1, 0}, {"cm", 0.01, 100}, {"mm", 0.001, 1000}, {"in", kInch, 0}, {"ft", kFoot, 0},
};
constexpr Unit kTimeUnits[] = {{"s", 1, 0}, {"min", kMinute, 0}, {"h", kHour, 0}};
constexpr Unit kHeatTransferCoefficientUnits[] = {
    {"W/m2K", 1, 0},
    {"Btu/h.ft2.F", kBtu / kHour / (kFoot * kFoot) / kFahrenheitDegree, 0},
};
constexpr Unit kConductivityUnits[] = {
    {"W/mK", 1, 0},
    {"Btu/h.ft.F", kBtu / kHour / kFoot / kFahrenheitDegree, 0},
};
constexpr Unit kDiffusivityUnits[] = {
    {"m2/s", 1, 0},
    {"mm2/s", 1e-6, 1e6},
    {"ft2/h", kFoot *kFoot / kHour, 0},
};
constexpr Unit kDensityUnits[] = {{"kg/m3", 1, 0}, {"lb/ft3", kPound / (kFoot * kFoot * kFoot), 0}};
constexpr Unit kSpecificHeatUnits[] = {
    {"J/kgK", 1, 0},
    {"kJ/kgK", 1000, 0},
    {"Btu/lb.F", kBtu / kPound / kFahrenheitDegree, 0},
};
constexpr Unit kTemperatureUnits[] = {{"C", 1, 0}, {"K", 1, 0}, {"F", kFahrenheitDegree, 0}};

constexpr std::array kAllQuantities = {
    Quantity::Number,       Quantity::Length,
    Quantity::Time,         Quantity::HeatTransferCoefficient,
    Quantity::Conductivity, Quantity::Diffusivity,
    Quantity::Density,      Quantity::SpecificHeat,
    Quantity::Temperature,
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowered(a[i]) != lowered(b[i]))
            return false;
    }
    return true;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The table's spelling of a unit as written, also for the degree-sign spellings.
const Unit *findUnit(Quantity quantity, std::string_view symbol)
{
    if (quantity == Quantity::Temperature) {
        if (symbol == "\u00B0C")
            symbol = "C";
        else if (symbol == "\u00B0F")
            symbol = "F";
    }
    for (const Unit &unit : unitsOf(quantity)) {
        if (unit.symbol == symbol)
            return &unit;
    }
    return nullptr;
}

std::string shortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string quoted(std::string_view text)
{
    return "'" + echoed(text) + "'";
}

[[noreturn]] void notANumber(std::string_view text, std::string_view why = {})
{
    std::string message = quoted(text) + " is not a number";
    if (!why.empty())
        message += " (" + std::string(why) + ")";
    throw QuantityError(message);
}

[[noreturn]] void beyondRange(std::string_view text, std::string_view inUnit = {})
{
    std::string message = quoted(text) + " is beyond the range of numbers";
    if (!inUnit.empty())
        message += " in " + std::string(inUnit);
    throw QuantityError(message);
}

std::string belowAbsoluteZero(std::string_view what, std::string_view unit)
{
    return std::string(what) + " is below absolute zero (" + shortest(absoluteZero(unit)) + " "
        + std::string(unit) + ")";
}

// The message for a unit the quantity does not have: whose unit it is if any quantity's, a
// hint when only its letter case is wrong, and the units the quantity accepts.
[[noreturn]] void wrongUnit(std::string_view text, std::string_view symbol, Quantity quantity)
{
    std::string_view owner;
    for (const Quantity other : kAllQuantities) {
        if (other != quantity && findUnit(other, symbol)) {
            owner = quantityName(other);
            break;
        }
    }
    if (quantity == Quantity::Number) {
        if (owner.empty())
            notANumber(text);
        throw QuantityError(quoted(text) + ": a plain number takes no unit");
    }
    std::string message = quoted(text) + ": " + quoted(symbol);
    if (!owner.empty())
        message += " is a unit of " + std::string(owner) + ", not of ";
    else
        message += " is not a unit of ";
    message += quantityName(quantity);
    for (const Unit &unit : unitsOf(quantity)) {
        if (equalIgnoringCase(unit.symbol, symbol)) {
            message += "; units are case-sensitive";
            break;
        }
    }
    message += " (accepted: " + acceptedUnits(quantity) + ")";
    throw QuantityError(message);
}

// Characters that can only continue a number, never begin a unit: what follows the longest
// number when the text goes on like "1.5.5", "1 000" or "1e5e3".
bool continuesANumber(std::string_view rest)
{
    const char c = rest.front();
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-')
        return true;
    if ((c == 'e' || c == 'E') && rest.size() > 1) {
        const char next = rest[1];
        return (next >= '0' && next <= '9') || next == '+' || next == '-';
    }
    return false;
}

// One UTF-8 sequence at the start of `text` that the Unicode standard calls well-formed (no
// overlong forms, no surrogates, nothing above U+10FFFF): its length and code point, or a
// length of 0 when the first byte does not begin one.
struct Decoded
{
    std::size_t length;
    char32_t codePoint;
};

Decoded decodeUtf8(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {1, lead};
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {0, 0};
    }
    if (text.size() < length)
        return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(i);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
            return {0, 0};
        codePoint = (codePoint << 6) | (b & 0x3F);
    }
    return {length, codePoint};
}

void appendHex(std::string &out, std::string_view prefix, std::uint32_t value, int digits)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += kHex[(value >> shift) & 0xF];
}

// value * 9 / 5, also where value * 9 alone would overflow.
double nineFifths(double value)
{
    const double nine = value * 9;
    return std::isfinite(nine) ? nine / 5 : value / 5 * 9;
}

// value * 5 / 9, also where value * 5 alone would overflow.
double fiveNinths(double value)
{
    const double five = value * 5;
    return std::isfinite(five) ? five / 9 : value / 9 * 5;
}

} // namespace

std::span<const Unit> unitsOf(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Number:
        return {};
    case Quantity::Length:
        return kLengthUnits;
    case Quantity::Time:
        return kTimeUnits;
    case Quantity::HeatTransferCoefficient:
        return kHeatTransferCoefficientUnits;
    case Quantity::Conductivity:
        return kConductivityUnits;
    case Quantity::Diffusivity:
        return kDiffusivityUnits;
    case Quantity::Density:
        return kDensityUnits;
    case Quantity::SpecificHeat:
        return kSpecificHeatUnits;
    case Quantity::Temperature:
        return kTemperatureUnits;
    }
    return {};
}

std::string acceptedUnits(Quantity quantity)
{
    std::string list;
    for (const Unit &unit : unitsOf(quantity)) {
        if (!list.empty())
            list += ", ";
        list += unit.symbol;
    }
    return list;
}

std::string_view quantityName(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Number:
        return "plain number";
    case Quantity::Length:
        return "length";
    case Quantity::Time:
        return "time";
    case Quantity::HeatTransferCoefficient:
        return "heat transfer coefficient";
    case Quantity::Conductivity:
        return "thermal conductivity";
    case Quantity::Diffusivity:
        return "thermal diffusivity";
    case Quantity::Density:
        return "density";
    case Quantity::SpecificHeat:
        return "specific heat";
    case Quantity::Temperature:
        return "temperature";
    }
    return "value";
}

double toSi(double value, const Unit &unit)
{
    return unit.siDivisor != 0 ? value / unit.siDivisor : value * unit.toSi;
}

Measured parseQuantity(std::string_view text, Quantity quantity)
{
    if (trimmed(text).empty())
        throw QuantityError("the value is empty");

    NumberPrefix number{0, 0};
    try {
        number = readNumberPrefix(text, FailedStep::ReadH);
    } catch (const ArithmeticError &) {
        beyondRange(text);
    }
    if (number.length == 0) {
        std::string_view start = trimmed(text);
        if (!start.empty() && (start.front() == '+' || start.front() == '-'))
            start.remove_prefix(1);
        if (startsWithIgnoringCase(start, "inf"))
            notANumber(text, "infinite values are not accepted");
        notANumber(text);
    }

    const std::string_view symbol = trimmed(text.substr(number.length));
    double value = number.value == 0 ? 0.0 : number.value; // "-0" reads as +0
    if (symbol.empty())
        return {value, {}};
    if (symbol.front() == ',')
        notANumber(text, "the decimal point is '.'");
    if (continuesANumber(symbol))
        notANumber(text);
    // A radix prefix is not a unit: "0x10" is read as 0 followed by "x10".
    const char next = text[number.length];
    if ((next == 'x' || next == 'X') && text[number.length - 1] == '0')
        notANumber(text);

    const Unit *unit = findUnit(quantity, symbol);
    if (!unit)
        wrongUnit(text, symbol, quantity);

    if (quantity == Quantity::Temperature) {
        if (value < absoluteZero(unit->symbol))
            throw QuantityError(belowAbsoluteZero(quoted(text), unit->symbol));
        return {value, unit->symbol};
    }
    value = toSi(value, *unit);
    if (!std::isfinite(value))
        beyondRange(text, unitsOf(quantity).front().symbol);
    return {value == 0 ? 0.0 : value, unit->symbol};
}

double parseNumber(std::string_view text)
{
    return parseQuantity(text, Quantity::Number).value;
}

std::string echoed(std::string_view text)
{
    std::string out;
    std::size_t characters = 0;
    while (!text.empty()) {
        if (characters == kEchoedCharacters) {
            out += "...";
            break;
        }
        const Decoded d = decodeUtf8(text);
        if (d.length == 0) {
            appendHex(out, "\\x", static_cast<unsigned char>(text.front()), 2);
        } else if (d.codePoint == '\t') {
            out += "\\t";
        } else if (d.codePoint == '\n') {
            out += "\\n";
        } else if (d.codePoint == '\r') {
            out += "\\r";
        } else if (d.codePoint == '\\') {
            out += "\\\\";
        } else if (d.codePoint < 0x20 || d.codePoint == 0x7F) {
            appendHex(out, "\\x", d.codePoint, 2);
        } else if (d.codePoint >= 0x80 && d.codePoint < 0xA0) {
            appendHex(out, "\\u", d.codePoint, 4); // C1 controls, which terminals obey too
        } else {
            out += text.substr(0, d.length);
        }
        text.remove_prefix(d.length == 0 ? 1 : d.length);
        ++characters;
    }
    return out;
}

double absoluteZero(std::string_view unit)
{
    if (unit == "C")
        return -273.15;
    if (unit == "F")
        return -459.67;
    if (unit == "K")
        return 0;
    throw std::invalid_argument("absoluteZero: not a temperature unit");
}

double toScale(double value, std::string_view fromUnit, std::string_view toUnit)
{
    if (fromUnit.empty() || toUnit.empty() || fromUnit == toUnit) {
        if (!fromUnit.empty() || !toUnit.empty())
            absoluteZero(fromUnit.empty() ? toUnit : fromUnit); // rejects a unit that is no scale
        return value;
    }
    // Each pair directly, the ratio applied as * 9 / 5 or * 5 / 9 so that whole degrees stay
    // exact where they can (68 F is exactly 20 C).
    if (fromUnit == "C" && toUnit == "K")
        return value + 273.15;
    if (fromUnit == "K" && toUnit == "C")
        return value - 273.15;
    if (fromUnit == "F" && toUnit == "C")
        return fiveNinths(value - 32);
    if (fromUnit == "C" && toUnit == "F")
        return nineFifths(value) + 32;
    if (fromUnit == "F" && toUnit == "K")
        return fiveNinths(value + 459.67);
    if (fromUnit == "K" && toUnit == "F")
        return nineFifths(value) - 459.67;
    throw std::invalid_argument("toScale: not a temperature unit");
}

TemperatureScale temperatureScale(std::span<const Measured> temperatures)
{
    for (const Measured &t : temperatures) {
        if (t.unit.empty())
            continue;
        // The table's own symbol, which outlives whatever the caller's view points into.
        if (const Unit *unit = findUnit(Quantity::Temperature, t.unit))
            return {unit->symbol};
        throw std::invalid_argument("temperatureScale: not a temperature unit");
    }
    return {};
}

ResolvedTemperatures resolveTemperatures(std::span<const Measured> temperatures)
{
    ResolvedTemperatures resolved{temperatureScale(temperatures), {}};
    const std::string_view scale = resolved.scale.unit;
    resolved.values.reserve(temperatures.size());
    for (std::size_t i = 0; i < temperatures.size(); ++i) {
        const Measured &t = temperatures[i];
        const std::string_view unit = t.unit.empty() ? scale : t.unit;
        if (!unit.empty() && t.value < absoluteZero(unit)) {
            throw QuantityError(
                belowAbsoluteZero(shortest(t.value) + " " + std::string(unit), unit), i);
        }
        const double value = toScale(t.value, t.unit, scale);
        if (!std::isfinite(value)) {
            throw QuantityError(shortest(t.value) + " " + std::string(unit)
                                    + " is beyond the range of numbers in " + std::string(scale),
                                i);
        }
        resolved.values.push_back(value == 0 ? 0.0 : value);
    }
    return resolved;
}

} // namespace planewall
