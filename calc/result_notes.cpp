// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "result_notes.h"

#include "series.h"

#include <charconv>
#include <cmath>
#include <exception>

namespace planewall {

std::string tenSignificantDigits(double value)
{
    char buffer[32];
    const auto [end, error]
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    if (error != std::errc())
        return {};
    return {buffer, end};
}

std::string preciseRootText(double bi, int n)
{
    if (!std::isfinite(bi) || n < 1)
        return {};
    try {
        return tenSignificantDigits(preciseRoot(bi, n));
    } catch (const std::exception &) {
        return {};
    }
}

std::string rootNote(std::string_view shown, std::string_view preciseRoot)
{
    std::string note(shown);
    note += " shown; ";
    if (preciseRoot.empty())
        note += "the precise root is not computed";
    else
        note.append("the root is ").append(preciseRoot);
    return note;
}

} // namespace planewall
