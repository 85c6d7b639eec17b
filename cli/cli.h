// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace planewall::cli {

// Exit statuses of planewall-cli: a failure is anything that stops a well-formed request (an
// arithmetic error, output that cannot be written, an unreachable target, a failed check).
enum ExitStatus { kSuccess = 0, kFailure = 1, kUsageError = 2 };

// Runs planewall-cli with its arguments (without the program name). Results go to `out`,
// messages to `err`; `in` is read only by --batch. Returns the exit status.
int run(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
        std::ostream &err);

} // namespace planewall::cli
