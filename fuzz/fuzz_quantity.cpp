// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Strict values with units on arbitrary bytes, read as every quantity. Each reading either
// gives a finite value that reads back the same when printed with its unit, or a QuantityError
// whose message is valid UTF-8 without control characters and echoes at most 60 characters of
// the text. The echo is checked against a UTF-8 decoder of this file's own.

#include "number_text.h"
#include "quantity.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace {

using planewall::Measured;
using planewall::Quantity;
using planewall::QuantityError;

[[noreturn]] void fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "fuzz_quantity: %s for a text of %zu bytes\n", what, text.size());
    std::abort();
}

constexpr std::array kQuantities = {
    Quantity::Number,       Quantity::Length,
    Quantity::Time,         Quantity::HeatTransferCoefficient,
    Quantity::Conductivity, Quantity::Diffusivity,
    Quantity::Density,      Quantity::SpecificHeat,
    Quantity::Temperature,
};

// The characters of a text: a well-formed UTF-8 sequence is one, and so is each byte that
// does not begin one. Decoded by value: the sequence's length from its lead byte's high bits,
// then the code point rejected when overlong, a surrogate or beyond U+10FFFF.
struct Character
{
    std::size_t length; // bytes
    long codePoint; // -1 for a byte that is not UTF-8
};

Character characterAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1
        : (lead >> 5) == 6   ? 2
        : (lead >> 4) == 14  ? 3
        : (lead >> 3) == 30  ? 4
                             : 0;
    if (length == 0 || i + length > text.size())
        return {1, -1};
    long cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int j = 1; j < length; ++j) {
        const auto b = static_cast<unsigned char>(text[i + j]);
        if ((b & 0xC0) != 0x80)
            return {1, -1};
        cp = cp << 6 | (b & 0x3F);
    }
    static constexpr long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return {1, -1};
    return {static_cast<std::size_t>(length), cp};
}

bool isControl(long cp)
{
    return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0);
}

// Valid UTF-8 without anything a terminal would take as a command; the number of characters.
std::size_t checkDisplayable(std::string_view shown, std::string_view text, const char *what)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < shown.size(); ++count) {
        const Character c = characterAt(shown, i);
        if (c.codePoint < 0 || isControl(c.codePoint))
            fail(what, text);
        i += c.length;
    }
    return count;
}

void checkEchoed(std::string_view text)
{
    const std::string shown = planewall::echoed(text);
    checkDisplayable(shown, text, "an echo that is not displayable UTF-8");

    // The first 60 characters, and whether there is more.
    const std::size_t limit = planewall::kEchoedCharacters;
    bool plain = true; // nothing to escape in them
    std::size_t kept = 0, count = 0;
    for (; kept < text.size() && count < limit; ++count) {
        const Character c = characterAt(text, kept);
        plain = plain && c.codePoint >= 0 && !isControl(c.codePoint) && c.codePoint != '\\';
        kept += c.length;
    }
    const bool cut = kept < text.size();
    if (cut && !shown.ends_with("..."))
        fail("a long text echoed without \"...\"", text);
    if (plain && shown != std::string(text.substr(0, kept)) + (cut ? "..." : ""))
        fail("the echo is not the text's first characters", text);
}

void checkError(const QuantityError &e, std::string_view text)
{
    const std::string_view message = e.what();
    const std::size_t length
        = checkDisplayable(message, text, "a message that is not displayable UTF-8");
    // The text's echo, a unit's echo, and some sixty characters of their own at most, with
    // each character of an echo shown as at most six ("\u0085").
    const std::size_t echo = planewall::kEchoedCharacters * 6 + 3;
    if (length > 2 * echo + 160)
        fail("a message too long", text);
    if (message == "the value is empty") {
        if (text.find_first_not_of(" \t\n\r\v\f") != std::string_view::npos)
            fail("a text with a number called empty", text);
    } else if (!message.starts_with("'" + planewall::echoed(text) + "'")) {
        fail("a message that does not begin with the text's echo", text);
    }
}

void checkValue(const Measured &m, Quantity q, std::string_view text)
{
    if (!std::isfinite(m.value))
        fail("a value that is not finite", text);
    if (m.value == 0 && std::signbit(m.value))
        fail("a negative zero", text);

    const auto units = planewall::unitsOf(q);
    bool known = m.unit.empty();
    for (const planewall::Unit &unit : units)
        known = known || unit.symbol.data() == m.unit.data();
    if (!known)
        fail("a unit that is not the table's own symbol", text);

    // A plain number is the lenient reader's number: the unit never changes the digits' value.
    if (m.unit.empty() && m.value != planewall::readNumber(text, planewall::FailedStep::ReadH))
        fail("a plain value differs from the number reader's", text);

    // Printed back with its unit (a temperature's own, otherwise the SI unit), it reads the
    // same.
    const std::string_view unit
        = q == Quantity::Temperature || m.unit.empty() ? m.unit : units.front().symbol;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.17g", m.value);
    const std::string again = std::string(printed) + std::string(unit);
    try {
        const Measured back = planewall::parseQuantity(again, q);
        if (back.value != m.value || back.unit != unit)
            fail("a value printed with its unit reads back differently", text);
    } catch (const QuantityError &) {
        fail("a value printed with its unit does not read back", text);
    }

    if (q != Quantity::Temperature)
        return;
    // In each named scale, beside a T_i of that scale, it stays finite or is an error about
    // it, and a value at or above absolute zero stays there (up to rounding).
    for (const planewall::Unit &scale : units) {
        const Measured pair[] = {{1000, scale.symbol}, m};
        try {
            const auto resolved = planewall::resolveTemperatures(pair);
            const double zero = planewall::absoluteZero(scale.symbol);
            if (!std::isfinite(resolved.values[1])
                || resolved.values[1] < zero - 1e-12 * std::fabs(zero) - 1e-12)
                fail("a converted temperature out of range", text);
        } catch (const QuantityError &e) {
            if (e.index() != 1)
                fail("an error about the wrong temperature", text);
            checkDisplayable(e.what(), text, "a message that is not displayable UTF-8");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    checkEchoed(text);
    for (const Quantity q : kQuantities) {
        try {
            checkValue(planewall::parseQuantity(text, q), q, text);
        } catch (const QuantityError &e) {
            checkError(e, text);
        }
    }
    return 0;
}
