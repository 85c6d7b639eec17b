// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <string>
#include <string_view>

namespace planewall {

// Numbers and units as the explorer and the exported charts show them: '.' as the decimal point
// whatever the locale, no grouping, exponents without '+' or leading zeros ("1.5e-7", "2e20").

// `significant` digits (1 to 17), trailing zeros dropped, written out in full from 1e-5 up to
// 1e15 and with an exponent beyond: formatSignificant(0.050000, 4) is "0.05",
// formatSignificant(123456, 3) "123000", formatSignificant(1.5e20, 3) "1.5e20". Zero shows as
// "0", never "-0".
std::string formatSignificant(double value, int significant);

// The shortest text that reads back as the same double: "0.1", "1e-300", "2.5e20".
std::string formatShortest(double value);

// A unit symbol of the quantity table as it is printed: "m2/s" as "m²/s", "W/m2K" as "W/m²K",
// "Btu/h.ft2.F" as "Btu/h·ft²·°F", "C" as "°C"; "" stays "".
std::string displayUnit(std::string_view symbol);

// A value with its unit for reading: "12.5 mm", "550 °C", "0.25" (no unit): `significant`
// digits, the unit as displayUnit prints it.
std::string formatWithUnit(double value, std::string_view symbol, int significant = 6);

// An axis title: "T (°C)", "x (mm)"; just the name when the unit is "".
std::string axisTitle(std::string_view name, std::string_view symbol);

} // namespace planewall
