// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace planewall::cli {

// "solve": the time or the h that brings a point or the mean to a target; args[0] is "solve".
int runSolveCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err);

} // namespace planewall::cli
