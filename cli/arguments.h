#pragma once

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace planewall::cli {

inline constexpr std::string_view kProgram = "planewall-cli";

// Parses `args` (the program name left out) with `app`; throws CLI11's ParseError.
void parse(CLI::App &app, std::span<const std::string_view> args);

// Reports a usage error: the problem, then the usage lines. Returns the usage exit status.
int usageError(std::ostream &err, std::string_view problem, std::string_view usage);

// A text that is one number and nothing else, by the calculator's grammar, within the double
// range; nullopt otherwise.
std::optional<double> wholeNumber(std::string_view text);

} // namespace planewall::cli
