#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace planewall::cli {

// Exit statuses of planewall-cli.
enum ExitStatus { kSuccess = 0, kArithmeticFailure = 1, kUsageError = 2 };

// Runs planewall-cli with its arguments (without the program name). Results go to `out`,
// messages to `err`; `in` is read only by --batch. Returns the exit status.
int run(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
        std::ostream &err);

} // namespace planewall::cli
