// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <string>
#include <string_view>

namespace planewall {

// What a front end can say about a result besides its display text.

// `value` to 10 significant digits, as printf's "%.10g" gives it but with '.' whatever the
// locale: 0.8603358901 -> "0.860333589", 0 -> "0", 1e-150 -> "1e-150".
std::string tenSignificantDigits(double value);

// Root n of ζ tan ζ = Bi in the calculator's interval for it, from the precise search, to 10
// significant digits; empty where the precise search cannot give it (a Bi that is not finite,
// n < 1, or a search that fails).
std::string preciseRootText(double bi, int n);

// The note on a root's display text `shown`, with `preciseRoot` from preciseRootText():
// "0.0008 shown; the root is 0", or "... shown; the precise root is not computed" for an empty
// `preciseRoot`. The display keeps four decimals of the search's own last step, which for Bi
// near 0 is off in the last decimal; the note lets the user see the root itself.
std::string rootNote(std::string_view shown, std::string_view preciseRoot);

} // namespace planewall
