// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "quantity.h"

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace planewall::cli {

inline constexpr std::string_view kProgram = "planewall-cli";

// A bad command line found after CLI11 has parsed it: reported as a usage error, exit 2. The
// message names the option it is about.
struct UsageProblem
{
    std::string message;
};

// Parses `args` (the program name left out) with `app`. Before CLI11 sees them, an option that
// takes a value but is followed by nothing or by another option ("--fo --x 0") is a
// UsageProblem naming it, since CLI11 would take "--x" as the value. CLI11's own errors come as
// UsageProblem too, with any argument they echo cut short.
void parse(CLI::App &app, std::span<const std::string_view> args);

// Reports a usage error: the problem, then the usage lines. Returns the usage exit status.
int usageError(std::ostream &err, std::string_view problem, std::string_view usage);

// "planewall-cli: note: <text>" on standard error.
void note(std::ostream &err, std::string_view text);

// The text without the blanks around it.
std::string_view trimmed(std::string_view text);

// A whole number: optional blanks, an optional '+', decimal digits, optional blanks; within
// [low, high]. "010" is 10; "0x10", "1e3", "10.0" and "-1" are not whole numbers.
int wholeNumber(std::string_view option, std::string_view text, int low, int high);

// A strict value of the quantity, in SI units (temperatures as written), or a UsageProblem
// "--L: '5s': ..." naming the option.
Measured quantity(std::string_view option, std::string_view text, Quantity q);
double number(std::string_view option, std::string_view text);

// The values of a comma-separated list, each as `quantity()` reads it; an empty item is an
// error.
std::vector<std::string> splitList(std::string_view option, std::string_view text);

} // namespace planewall::cli
