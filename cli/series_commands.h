// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace planewall::cli {

// "roots" and "temperature": the series solution of the wall, for Bi >= 0.
bool isSeriesCommand(std::string_view word);

// Runs a series command; args[0] is its name. Returns the exit status.
int runSeriesCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err);

} // namespace planewall::cli
