// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "field_text.h"

#include "arithmetic_error.h"
#include "number_text.h"
#include "value_text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace planewall {

namespace {

constexpr int kConvertedDigits = 12;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string quoted(std::string_view text)
{
    return "'" + echoed(text) + "'";
}

// Whether `rest` (what follows a number) is one of the quantity's unit symbols.
bool isUnitOf(Quantity quantity, std::string_view rest)
{
    while (!rest.empty() && isBlank(rest.back()))
        rest.remove_suffix(1);
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    if (quantity == Quantity::Temperature && (rest == "\u00B0C" || rest == "\u00B0F"))
        return true;
    const auto units = unitsOf(quantity);
    return std::ranges::any_of(units, [rest](const Unit &u) { return u.symbol == rest; });
}

// The field's number with any decimal comma as a point, for readNumberPrefix.
std::string withDecimalPoint(std::string_view text)
{
    const auto commas = std::ranges::count(text, ',');
    const auto points = std::ranges::count(text, '.');
    if (commas + points > 1) {
        throw QuantityError(quoted(text)
                            + " is not a number (one decimal point, '.' or ',', and no grouping)");
    }
    std::string copy(text);
    std::ranges::replace(copy, ',', '.');
    return copy;
}

double readNumberOf(std::string_view text, Quantity quantity)
{
    if (std::ranges::all_of(text, isBlank))
        throw QuantityError("a number is needed");
    const std::string number = withDecimalPoint(text);
    NumberPrefix prefix{0, 0};
    try {
        prefix = readNumberPrefix(number, FailedStep::ReadH);
    } catch (const ArithmeticError &) {
        throw QuantityError(quoted(text) + " is beyond the range of numbers");
    }
    const std::string_view rest = std::string_view(number).substr(prefix.length);
    if (prefix.length == 0 || !std::ranges::all_of(rest, isBlank)) {
        if (prefix.length > 0 && quantity != Quantity::Number && isUnitOf(quantity, rest))
            throw QuantityError(quoted(text) + ": choose the unit beside the field");
        throw QuantityError(quoted(text) + " is not a number");
    }
    return prefix.value == 0 ? 0.0 : prefix.value;
}

} // namespace

double readFieldNumber(std::string_view text)
{
    return readNumberOf(text, Quantity::Number);
}

const Unit &unitOf(Quantity quantity, std::string_view symbol)
{
    for (const Unit &unit : unitsOf(quantity)) {
        if (unit.symbol == symbol)
            return unit;
    }
    throw std::invalid_argument("unitOf: '" + std::string(symbol) + "' is not a unit of "
                                + std::string(quantityName(quantity)));
}

double fromSi(double si, const Unit &unit)
{
    return unit.siDivisor != 0 ? si * unit.siDivisor : si / unit.toSi;
}

double readField(std::string_view text, Quantity quantity, std::string_view unit)
{
    const double number = readNumberOf(text, quantity);
    if (quantity == Quantity::Number)
        return number;
    const Unit &chosen = unitOf(quantity, unit);
    if (quantity == Quantity::Temperature) {
        const double zero = absoluteZero(chosen.symbol);
        if (number < zero) {
            throw QuantityError(quoted(text) + " is below absolute zero (" + formatShortest(zero)
                                + " " + displayUnit(chosen.symbol) + ")");
        }
        return number;
    }
    const double si = toSi(number, chosen);
    if (!std::isfinite(si)) {
        throw QuantityError(quoted(text) + " " + displayUnit(chosen.symbol)
                            + " is beyond the range of numbers in "
                            + displayUnit(unitsOf(quantity).front().symbol));
    }
    return si == 0 ? 0.0 : si;
}

std::string fieldText(double value, char decimalPoint)
{
    std::string text = formatShortest(value);
    std::ranges::replace(text, '.', decimalPoint);
    return text;
}

std::string convertFieldText(std::string_view text, Quantity quantity, std::string_view fromUnit,
                             std::string_view toUnit)
{
    double converted = 0;
    try {
        const double value = readField(text, quantity, fromUnit);
        if (quantity == Quantity::Temperature)
            converted = toScale(value, unitOf(quantity, fromUnit).symbol,
                                unitOf(quantity, toUnit).symbol);
        else
            converted = fromSi(value, unitOf(quantity, toUnit));
    } catch (const QuantityError &) {
        return std::string(text);
    }
    if (!std::isfinite(converted))
        return std::string(text);
    std::string out = formatSignificant(converted, kConvertedDigits);
    if (text.find(',') != std::string_view::npos)
        std::ranges::replace(out, '.', ',');
    return out;
}

UnitField::UnitField(Quantity quantity, std::string text, std::string unit)
    : m_quantity(quantity), m_text(std::move(text)), m_unit(unitOf(quantity, unit).symbol),
      m_typed(m_text), m_typedUnit(m_unit)
{ }

void UnitField::type(std::string text)
{
    m_text = std::move(text);
    m_typed = m_text;
    m_typedUnit = m_unit;
}

void UnitField::setValue(double si)
{
    m_typedUnit = unitsOf(m_quantity).front().symbol;
    m_typed = fieldText(si);
    m_text = convertFieldText(m_typed, m_quantity, m_typedUnit, m_unit);
}

const std::string &UnitField::changeUnit(std::string_view unit)
{
    m_unit = unitOf(m_quantity, unit).symbol;
    m_text = convertFieldText(m_typed, m_quantity, m_typedUnit, m_unit);
    return m_text;
}

} // namespace planewall
