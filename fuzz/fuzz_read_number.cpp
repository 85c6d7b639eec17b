// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Differential check of the text-to-number rule: the value read agrees with strtod (and
// from_chars) on the longest prefix the grammar allows, found here by a scanner of its own.

#include "arithmetic_error.h"
#include "number_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "fuzz_read_number: %s for a text of %zu bytes\n", what, text.size());
    std::abort();
}

std::size_t digitsAt(std::string_view text, std::size_t i)
{
    std::size_t n = 0;
    while (i + n < text.size() && text[i + n] >= '0' && text[i + n] <= '9')
        ++n;
    return n;
}

struct Prefix
{
    std::size_t signAt; // where the sign or the first digit is
    std::size_t numberAt; // where the unsigned number begins
    std::size_t end; // 0 when the text begins with no number
};

Prefix longestPrefix(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::strchr(" \t\n\r\v\f", text[i]) && text[i] != '\0')
        ++i;
    const std::size_t signAt = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t numberAt = i;
    const std::size_t whole = digitsAt(text, i);
    i += whole;
    std::size_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        fraction = digitsAt(text, i + 1);
        i += 1 + fraction;
    }
    if (whole + fraction == 0)
        return {signAt, numberAt, 0};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (const std::size_t exponent = digitsAt(text, j); exponent > 0)
            i = j + exponent;
    }
    return {signAt, numberAt, i};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const Prefix prefix = longestPrefix(text);

    double value = 0;
    std::size_t length = 0;
    bool overflow = false;
    try {
        const planewall::NumberPrefix read
            = planewall::readNumberPrefix(text, planewall::FailedStep::ReadH);
        value = read.value;
        length = read.length;
    } catch (const planewall::ArithmeticError &e) {
        if (e.kind() != planewall::ArithmeticKind::Overflow)
            fail("an error other than overflow", text);
        overflow = true;
    }

    if (prefix.end == 0) {
        if (overflow || value != 0 || std::signbit(value) || length != 0)
            fail("a text without a number did not read as 0", text);
        return 0;
    }

    // strtod needs a terminated copy; it takes the sign itself and rounds correctly, giving
    // HUGE_VAL beyond the range and 0 or a subnormal below it.
    const std::string number(text.substr(prefix.signAt, prefix.end - prefix.signAt));
    errno = 0;
    char *end = nullptr;
    const double expected = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size())
        fail("the oracle's prefix is not what strtod reads", text);
    if (std::isinf(expected)) {
        if (!overflow)
            fail("no overflow beyond the double range", text);
        return 0;
    }
    if (overflow)
        fail("an overflow within the double range", text);
    if (length != prefix.end)
        fail("the number's length differs from the longest prefix", text);
    if (std::memcmp(&value, &expected, sizeof value) != 0)
        fail("the value differs from strtod's", text);

    // from_chars on the unsigned part, the sign applied apart, where it reports no range error.
    double magnitude = 0;
    const char *first = text.data() + prefix.numberAt;
    const auto result = std::from_chars(first, text.data() + prefix.end, magnitude);
    if (result.ec == std::errc() && std::fabs(value) != magnitude)
        fail("the value differs from from_chars'", text);
    return 0;
}
