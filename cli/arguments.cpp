#include "arguments.h"

#include "arithmetic_error.h"
#include "cli.h"
#include "number_text.h"

#include <ostream>
#include <vector>

namespace planewall::cli {

void parse(CLI::App &app, std::span<const std::string_view> args)
{
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
}

int usageError(std::ostream &err, std::string_view problem, std::string_view usage)
{
    err << kProgram << ": " << problem << '\n' << usage;
    return kUsageError;
}

std::optional<double> wholeNumber(std::string_view text)
{
    try {
        const NumberPrefix number = readNumberPrefix(text, FailedStep::ReadH);
        if (number.length == 0 || number.length != text.size())
            return std::nullopt;
        return number.value;
    } catch (const ArithmeticError &) {
        return std::nullopt; // beyond the double range
    }
}

} // namespace planewall::cli
