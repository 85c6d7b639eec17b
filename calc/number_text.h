// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "arithmetic_error.h"

#include <string>
#include <string_view>

namespace planewall {

// Reads the number an entry text begins with; whatever follows it is ignored, and a text that
// does not begin with a number (the empty text included) reads as 0.
//
// The number is: optional blanks, an optional sign, digits with at most one '.', at least one
// digit in all, then optionally an exponent ('e' or 'E', an optional sign and at least one digit).
//  - Leading blanks (space, tab, CR, LF, VT, FF) are skipped: a pasted " 2.5" is 2.5.
//  - Anything else ends the number, blanks included: "1 000" reads as 1, "1,5" as 1.
//  - The sign must touch the digits: "- 5" reads as 0.
//  - Only 'e' and 'E' start an exponent, and only when a digit follows: "2e" and "2e+" read as 2,
//    "2d3" as 2.
//  - No radix prefixes or special values: "0x10" reads as 0, "inf" and "nan" as 0.
// The digits are converted correctly rounded. A number beyond the double range raises an
// overflow ArithmeticError attributed to `whose`; one too small for a double reads as its
// subnormal value or as a zero of its sign, never as an error.
double readNumber(std::string_view text, FailedStep whose);

// The same, with how many characters the number took (leading blanks included; 0 when the text
// begins with no number), for callers that want a text to be a number and nothing else.
struct NumberPrefix
{
    double value;
    std::size_t length;
};
NumberPrefix readNumberPrefix(std::string_view text, FailedStep whose);

// The display patterns "0.00" and "0.0000": at least one digit before the point, exactly
// `places` after it, '.' whatever the locale, no grouping, every integer digit of a large value.
// Exact halves round away from zero (0.125 -> "0.13"), as by hand. Negative zero shows as "0.00";
// a negative value that rounds to zero keeps its sign ("-0.00"), since the sign of Bi tells
// which roots follow. Places outside [0, kMaxPlaces] raise std::invalid_argument.
inline constexpr int kMaxPlaces = 1100; // beyond the last digit of the smallest subnormal
std::string formatFixed(double value, int places);

inline std::string formatBiot(double bi)
{
    return formatFixed(bi, 2);
}

inline std::string formatRoot(double zeta)
{
    return formatFixed(zeta, 4);
}

} // namespace planewall
