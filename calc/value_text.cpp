// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "value_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace planewall {

namespace {

// "1.50000e+07" -> "1.5e7", "1e-07" -> "1e-7", "120.00" -> "120": the mantissa's trailing
// zeros and the exponent's '+' and leading zeros go.
std::string tidied(std::string text)
{
    const std::size_t e = text.find_first_of("eE");
    std::string mantissa = text.substr(0, e);
    std::string exponent = e == std::string::npos ? std::string() : text.substr(e + 1);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    if (exponent.empty())
        return mantissa;
    std::string sign;
    if (exponent.front() == '+' || exponent.front() == '-') {
        if (exponent.front() == '-')
            sign = "-";
        exponent.erase(0, 1);
    }
    const std::size_t firstDigit = std::min(exponent.find_first_not_of('0'), exponent.size() - 1);
    return mantissa + "e" + sign + exponent.substr(firstDigit);
}

} // namespace

std::string formatSignificant(double value, int significant)
{
    if (significant < 1 || significant > 17)
        throw std::invalid_argument("formatSignificant: 1 to 17 digits");
    if (value == 0)
        return "0";
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
    // Rounded to the digits first; then written out in full from 1e-5 up to 1e15, where the
    // digits stay few ("2040" rather than "2.04e3"), and with an exponent beyond.
    char text[400];
    std::snprintf(text, sizeof text, "%.*e", significant - 1, value);
    const double rounded = std::strtod(text, nullptr);
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    if (exponent < -5 || exponent >= 15)
        return tidied(text);
    std::snprintf(text, sizeof text, "%.*f", std::max(0, significant - 1 - exponent), rounded);
    return tidied(text);
}

std::string formatShortest(double value)
{
    if (value == 0)
        return "0";
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return tidied(std::string(text, result.ptr));
}

std::string displayUnit(std::string_view symbol)
{
    if (symbol == "C" || symbol == "F")
        return "\u00B0" + std::string(symbol);
    std::string out;
    for (std::size_t i = 0; i < symbol.size(); ++i) {
        const char c = symbol[i];
        // An exponent digit follows a letter (m2, ft3); a digit after anything else is a number.
        const bool afterLetter = i > 0
            && ((symbol[i - 1] >= 'a' && symbol[i - 1] <= 'z')
                || (symbol[i - 1] >= 'A' && symbol[i - 1] <= 'Z'));
        if (c == '2' && afterLetter)
            out += "\u00B2";
        else if (c == '3' && afterLetter)
            out += "\u00B3";
        else if (c == '.')
            out += "\u00B7";
        else if (c == 'F' && i > 0 && symbol[i - 1] == '.')
            out += "\u00B0F";
        else
            out += c;
    }
    return out;
}

std::string formatWithUnit(double value, std::string_view symbol, int significant)
{
    std::string text = formatSignificant(value, significant);
    if (!symbol.empty())
        text += " " + displayUnit(symbol);
    return text;
}

std::string axisTitle(std::string_view name, std::string_view symbol)
{
    if (symbol.empty())
        return std::string(name);
    return std::string(name) + " (" + displayUnit(symbol) + ")";
}

} // namespace planewall
