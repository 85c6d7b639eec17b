// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "quantity.h"

#include <string>
#include <string_view>

namespace planewall {

// The explorer's input fields. A field holds a number alone; its unit is chosen beside it from
// the quantity's table (quantity.h). Unlike the calculator's boxes, a field is strict, and
// unlike an option of the command line it takes either '.' or ',' as its decimal point, so a
// number copied from a spreadsheet in either convention reads as written:
//  - optional blanks, an optional sign, digits with at most one decimal point ('.' or ','),
//    an optional exponent, optional blanks, and nothing else;
//  - no grouping: "1,000.5", "1.000,5" and "1 000" are errors, never a thousand;
//  - a unit typed into the field is an error that says to choose it beside the field.
// Errors are QuantityError, their what() without the field's name, the text as echoed() shows it.

// The number a field's text holds.
double readFieldNumber(std::string_view text);

// The unit of the quantity whose symbol is `symbol`, as the table spells it; std::invalid_argument
// when the quantity has no such unit.
const Unit &unitOf(Quantity quantity, std::string_view symbol);

// The inverse of toSi: an SI value in `unit`, divided exactly where toSi multiplied exactly.
double fromSi(double si, const Unit &unit);

// A field's value: in SI, or for a temperature the number itself in the chosen scale ("C",
// "K", "F"), checked against absolute zero. A value beyond the range of numbers once in SI is an
// error too.
double readField(std::string_view text, Quantity quantity, std::string_view unit);

// The text to put into a field for a value: the shortest that reads back as the same double,
// with `decimalPoint` ('.' or ','), so that a value handed over from elsewhere is kept exactly.
std::string fieldText(double value, char decimalPoint = '.');

// The field's text after its unit chooser goes from `fromUnit` to `toUnit`: the same amount
// in the new unit, to 12 significant digits so that a conversion's rounding does not show and
// going back gives the number typed ("1" m -> "3.28083989501" ft -> "1" m), with the decimal
// point the text used. A text that
// does not read, or whose value is beyond the range of numbers in the new unit, comes back
// unchanged, for its error to show as before.
std::string convertFieldText(std::string_view text, Quantity quantity, std::string_view fromUnit,
                             std::string_view toUnit);

// A field's text and unit, with the text as it was last typed and the unit it was typed in.
// Each change of unit converts from what was typed, never from an earlier conversion, so that
// going back and forth shows the typed number again ("1" m -> "3.28083989501" ft -> "1" m)
// however the conversions rounded.
class UnitField
{
public:
    UnitField(Quantity quantity, std::string text, std::string unit);

    Quantity quantity() const { return m_quantity; }
    const std::string &text() const { return m_text; }
    const std::string &unit() const { return m_unit; }

    // The user's own text, in the current unit.
    void type(std::string text);
    // A value in SI, shown in the current unit; kept as typed in SI, so that a later change of
    // unit converts from the exact value.
    void setValue(double si);
    // Another unit of the quantity (std::invalid_argument otherwise); returns the new text.
    const std::string &changeUnit(std::string_view unit);

private:
    Quantity m_quantity;
    std::string m_text, m_unit;
    std::string m_typed, m_typedUnit;
};

} // namespace planewall
