// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace planewall::cli {

// "fit": the h (and α or k) that explains measured temperatures, with its 95% interval;
// args[0] is "fit". `in` is read for --data -.
int runFitCommand(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
                  std::ostream &err);

} // namespace planewall::cli
