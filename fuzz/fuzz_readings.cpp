// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Files of readings on arbitrary bytes, the first byte choosing the columns and the time unit.
// Reading either gives readings whose times increase strictly, all finite, each on a line of
// the text in the text's order; or a ReadingsError on a line of the text (or 0) whose message
// is valid UTF-8 without control characters and of bounded length. The readings read then go
// through the window, the scale and the checks the fit makes.

#include "quantity.h"
#include "readings.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char *what, std::size_t size)
{
    std::fprintf(stderr, "fuzz_readings: %s for a text of %zu bytes\n", what, size);
    std::abort();
}

// The number of lines as the reader counts them: LF, CR LF and CR each end one.
std::size_t lineCount(std::string_view text)
{
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

// Valid UTF-8 (well-formed sequences only) without C0 or C1 control characters.
bool displayable(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1
            : (lead >> 5) == 6         ? 2
            : (lead >> 4) == 14        ? 3
            : (lead >> 3) == 30        ? 4
                                       : 0;
        if (length == 0 || i + length > text.size())
            return false;
        long cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int j = 1; j < length; ++j) {
            const auto b = static_cast<unsigned char>(text[i + j]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (b & 0x3F);
        }
        static constexpr long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0))
            return false;
        i += length;
    }
    return true;
}

void checkError(const planewall::ReadingsError &e, std::size_t lines, std::size_t size)
{
    const std::string_view message = e.what();
    if (message.empty())
        fail("an empty message", size);
    if (!displayable(message))
        fail("a message that is not displayable UTF-8", size);
    // A few echoes of at most 60 characters (6 bytes each escaped) and text of its own.
    if (message.size() > 4000)
        fail("a message too long", size);
    if (e.line() > lines)
        fail("an error on a line beyond the text", size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t choice = data[0];
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    planewall::ReadOptions options;
    static const char *const kColumns[][2] = {{"", ""}, {"1", "2"}, {"t", "T"}, {"2", "3"}};
    options.timeColumn = kColumns[choice & 3][0];
    options.temperatureColumn = kColumns[choice & 3][1];
    static const char *const kUnits[] = {"", "s", "min", "h"};
    options.timeUnit = kUnits[(choice >> 2) & 3];

    const std::size_t lines = lineCount(text);
    planewall::Readings readings;
    try {
        readings = planewall::readReadings(text, options);
    } catch (const planewall::ReadingsError &e) {
        checkError(e, lines, size);
        return 0;
    }
    if (readings.rows.empty())
        fail("no readings without an error", size);
    if (readings.separator != ',' && readings.separator != '\t')
        fail("a separator that is neither comma nor tab", size);
    const std::string_view unit = readings.temperatureUnit;
    if (!unit.empty() && unit != "C" && unit != "K" && unit != "F")
        fail("a temperature unit that is none", size);
    for (std::size_t i = 0; i < readings.rows.size(); ++i) {
        const planewall::Reading &r = readings.rows[i];
        if (!std::isfinite(r.t) || !std::isfinite(r.T))
            fail("a reading that is not finite", size);
        if (r.line == 0 || r.line > lines)
            fail("a reading on a line beyond the text", size);
        if (i > 0 && !(r.t > readings.rows[i - 1].t && r.line > readings.rows[i - 1].line))
            fail("readings out of order", size);
    }

    // What the fit does with them before fitting: a window from the first reading's time, the
    // scale, the range between the first and the last temperature.
    const planewall::Selection selection = planewall::selectReadings(
        readings.rows, readings.rows.front().t, 0, std::numeric_limits<double>::infinity());
    if (selection.rows.size() != readings.rows.size() || selection.rows.front().t != 0)
        fail("a window from the first reading left some out", size);
    try {
        for (const planewall::Reading &r : selection.rows)
            planewall::toProblemScale(r, unit, unit.empty() ? "" : "K");
        planewall::checkReadings(selection.rows, selection.rows.front().T, selection.rows.back().T,
                                 1, "");
    } catch (const planewall::ReadingsError &e) {
        checkError(e, lines, size);
    }
    return 0;
}
