// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <system_error>

namespace planewall {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The decimal exponent of the leading nonzero digit of digits[.digits]e<exponent>, saturated
// well beyond the double range; used only to tell an overflow from an underflow.
std::int64_t leadingDecimalExponent(std::string_view mantissa, std::int64_t exponent)
{
    const std::size_t point = mantissa.find('.');
    const std::size_t intLength = point == std::string_view::npos ? mantissa.size() : point;
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos)
        return INT64_MIN; // all zeros: cannot be out of range, but stay safe
    const auto position = first < intLength ? static_cast<std::int64_t>(intLength - first) - 1
                                            : -static_cast<std::int64_t>(first - intLength);
    return position + exponent;
}

} // namespace

double readNumber(std::string_view text, FailedStep whose)
{
    return readNumberPrefix(text, whose).value;
}

NumberPrefix readNumberPrefix(std::string_view text, FailedStep whose)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const std::size_t mantissaBegin = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return {0.0, 0};
    const std::size_t mantissaEnd = i;

    // The exponent counts only when a digit follows its letter and optional sign.
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            for (; j < text.size() && isDigit(text[j]); ++j) {
                // Saturate far beyond any double's exponent; the digits still all belong.
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (text[j] - '0');
            }
            exponent = expNegative ? -exponent : exponent;
            i = j;
        }
    }

    // from_chars takes no leading '+', so the sign was consumed above and is applied below.
    const char *first = text.data() + mantissaBegin;
    const char *last = text.data() + i;
    double magnitude = 0.0;
    const auto [end, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view mantissa(first, mantissaEnd - mantissaBegin);
        if (leadingDecimalExponent(mantissa, exponent) >= 0)
            throw ArithmeticError(ArithmeticKind::Overflow, whose);
        magnitude = 0.0; // below the smallest subnormal: a zero of the text's sign
    } else if (ec != std::errc() || end != last) {
        // The grammar above is a subset of what from_chars accepts, so this cannot happen;
        // reading such a text as 0 keeps the rule "no number reads as 0" if it ever did.
        return {0.0, 0};
    }
    return {negative ? -magnitude : magnitude, i};
}

namespace {

// True when the value lies exactly halfway between two results of `places` decimals: then
// value * 10^places is k + 1/2, which for a binary fraction means value * 2^(places+1) is odd.
bool isExactHalf(double value, int places)
{
    const double scaled = std::ldexp(std::fabs(value), places + 1);
    if (scaled >= 0x1p53)
        return false; // every double this large is an even integer
    return scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
}

// Adds one unit in the last place to the magnitude of a fixed-point text such as "-12.34".
void roundUpLastDigit(std::string &text)
{
    for (std::size_t i = text.size(); i-- > 0;) {
        char &c = text[i];
        if (c == '.')
            continue;
        if (c == '-')
            break;
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    text.insert(text[0] == '-' ? 1 : 0, 1, '1');
}

} // namespace

std::string formatFixed(double value, int places)
{
    // to_chars would take a negative precision as its default of 6 decimals.
    if (places < 0 || places > kMaxPlaces)
        throw std::invalid_argument("formatFixed: places out of range");
    if (value == 0.0)
        value = 0.0; // negative zero shows without a sign

    const bool half = std::isfinite(value) && isExactHalf(value, places);
    // A half has exactly places + 1 decimals, so printing one more is exact; the last digit (a
    // 5) is then dropped and the rest rounded away from zero. to_chars alone would round it to
    // even.
    const int printed = half ? places + 1 : places;
    // Room for the largest double's 309 integer digits, a sign, the point and the decimals.
    std::string text(312 + static_cast<std::size_t>(printed), '\0');
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, printed);
    if (result.ec != std::errc())
        throw std::logic_error("formatFixed: the text did not fit its buffer");
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    if (half) {
        text.pop_back();
        if (text.back() == '.')
            text.pop_back(); // no decimals wanted
        roundUpLastDigit(text);
    }
    return text;
}

} // namespace planewall
