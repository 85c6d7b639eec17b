// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace planewall::cli {

// "verify": the built-in reference cases; args[0] is "verify". Exit 1 when any fails.
int runVerifyCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err);

} // namespace planewall::cli
