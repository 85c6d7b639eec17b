// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "arguments.h"

#include "cli.h"

#include <ostream>

namespace planewall::cli {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

namespace {

// An argument that stands in an option's place: "--x", not "-0.5" or "--".
bool looksLikeOption(std::string_view argument)
{
    return argument.size() > 2 && argument.starts_with("--");
}

// CLI11's message, with whatever it echoes of the command line cut short.
std::string describe(const CLI::ParseError &error)
{
    if (const auto *extras = dynamic_cast<const CLI::ExtrasError *>(&error)) {
        (void)extras;
        std::string message = error.what();
        const auto colon = message.find(": ");
        const std::string arguments = colon == std::string::npos ? "" : message.substr(colon + 2);
        return "unexpected argument '" + echoed(arguments) + "'";
    }
    std::string message = error.what();
    return message.size() > 200 ? echoed(message) : message;
}

} // namespace

void parse(CLI::App &app, std::span<const std::string_view> args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--")
            break;
        if (!looksLikeOption(arg) || arg.find('=') != std::string_view::npos)
            continue;
        const CLI::Option *option = app.get_option_no_throw(std::string(arg));
        if (!option || option->get_items_expected_min() == 0)
            continue;
        if (i + 1 == args.size() || looksLikeOption(args[i + 1]))
            throw UsageProblem{std::string(arg) + ": a value is missing"};
        ++i; // the value, whatever it looks like
    }
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
        throw;
    } catch (const CLI::ParseError &error) {
        throw UsageProblem{describe(error)};
    }
}

int usageError(std::ostream &err, std::string_view problem, std::string_view usage)
{
    err << kProgram << ": " << problem << '\n' << usage;
    return kUsageError;
}

void note(std::ostream &err, std::string_view text)
{
    err << kProgram << ": note: " << text << '\n';
}

int wholeNumber(std::string_view option, std::string_view text, int low, int high)
{
    std::string_view digits = trimmed(text);
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    const auto fail = [&](std::string_view why) -> UsageProblem {
        return {std::string(option) + ": '" + echoed(text) + "' " + std::string(why)};
    };
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw fail("is not a whole number");
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    digits.remove_prefix(first); // leading zeros are decimal, not octal
    const std::string bounds = "must be " + std::to_string(low) + " to " + std::to_string(high);
    if (digits.size() > 9)
        throw fail(bounds);
    const int value = digits.empty() ? 0 : std::stoi(std::string(digits));
    if (value < low || value > high)
        throw fail(bounds);
    return value;
}

Measured quantity(std::string_view option, std::string_view text, Quantity q)
{
    try {
        return parseQuantity(text, q);
    } catch (const QuantityError &error) {
        throw UsageProblem{std::string(option) + ": " + error.what()};
    }
}

double number(std::string_view option, std::string_view text)
{
    return quantity(option, text, Quantity::Number).value;
}

std::vector<std::string> splitList(std::string_view option, std::string_view text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma - start);
        if (trimmed(item).empty())
            throw UsageProblem{std::string(option) + ": '" + echoed(text)
                               + "' has an empty item in its list"};
        items.emplace_back(item);
        if (comma == std::string_view::npos)
            return items;
        start = comma + 1;
    }
}

} // namespace planewall::cli
