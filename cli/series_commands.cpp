#include "series_commands.h"

#include "arguments.h"
#include "arithmetic_error.h"
#include "calculation.h"
#include "cli.h"
#include "number_text.h"
#include "exact_solution.h"
#include "series.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace planewall::cli {

namespace {

constexpr std::string_view kRootsUsage
    = "usage: planewall-cli roots (--bi B | --h H --L L --k K) [--count N] [--precision P] "
      "[--csv]\n";
constexpr std::string_view kTemperatureUsage
    = "usage: planewall-cli temperature (--bi B | --h H --L L --k K) --fo F --x X[,X...]\n"
      "                                 [--precision P] [--csv]\n";

// Bad values found after parsing: reported as usage errors.
struct UsageProblem
{
    std::string message;
};

// The options every series command shares: the wall's Bi and how numbers are written.
struct CommonOptions
{
    std::string bi, h, L, k;
    int precision = 10;
    bool csv = false;
    CLI::Option *biOption = nullptr;
    std::vector<CLI::Option *> textOptions;

    void addTo(CLI::App &app)
    {
        biOption = app.add_option("--bi", bi, "the Biot number, >= 0");
        textOptions = {app.add_option("--h", h, "h, read as the calculator reads its boxes"),
                       app.add_option("--L", L, "L, likewise"),
                       app.add_option("--k", k, "k, likewise; Bi = h*L/k")};
        for (auto *option : textOptions)
            option->excludes(biOption);
        app.add_option("--precision", precision, "significant digits, 17 for round-trip values")
            ->check(CLI::Range(1, 17));
        app.add_flag("--csv", csv, "comma-separated values, for spreadsheets");
    }

    // Raises ArithmeticError where h*L/k fails, as the calculator would.
    double biotNumber() const
    {
        const auto given = std::count_if(textOptions.begin(), textOptions.end(),
                                         [](const CLI::Option *o) { return o->count() > 0; });
        double value;
        if (biOption->count() > 0) {
            const std::optional<double> number = wholeNumber(bi);
            if (!number)
                throw UsageProblem{"--bi: '" + bi + "' is not a number"};
            value = *number;
        } else if (given == 3) {
            value = planewall::biotNumber(readNumber(h, FailedStep::ReadH),
                                          readNumber(L, FailedStep::ReadL),
                                          readNumber(k, FailedStep::ReadK));
        } else {
            throw UsageProblem{"give --bi, or all three of --h, --L and --k"};
        }
        if (value < 0)
            throw UsageProblem{"Bi is " + formatBiot(value)
                               + ": the series is for physical walls, with Bi >= 0"};
        return value;
    }
};

// Writes rows of tab- or comma-separated cells.
class Table
{
public:
    Table(std::ostream &out, const CommonOptions &options)
        : m_out(out), m_separator(options.csv ? ',' : '\t'), m_precision(options.precision)
    { }

    std::string number(double value) const
    {
        char text[40];
        std::snprintf(text, sizeof text, "%.*g", m_precision, value);
        return text;
    }

    void row(std::initializer_list<std::string> cells)
    {
        bool first = true;
        for (const std::string &cell : cells) {
            if (!first)
                m_out << m_separator;
            first = false;
            m_out << quoted(cell);
        }
        m_out << '\n';
    }

private:
    std::string quoted(const std::string &cell) const
    {
        if (m_separator != ',' || cell.find_first_of(",\"") == std::string::npos)
            return cell;
        std::string text = "\"";
        for (const char c : cell)
            text += c == '"' ? std::string("\"\"") : std::string(1, c);
        return text + '"';
    }

    std::ostream &m_out;
    char m_separator;
    int m_precision;
};

int runRoots(const CommonOptions &options, int count, std::ostream &out)
{
    const double bi = options.biotNumber();
    Table table(out, options);
    table.row({"n", "zeta", "C"});
    for (int n = 1; n <= count; ++n) {
        const SeriesTerm term = seriesTerm(bi, n);
        table.row({std::to_string(n), table.number(term.zeta), table.number(term.c)});
    }
    return kSuccess;
}

std::vector<double> positions(const std::string &list)
{
    std::vector<double> xs;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string text = list.substr(start, comma - start);
        const std::optional<double> x = wholeNumber(text);
        if (!x || !(*x >= 0 && *x <= 1))
            throw UsageProblem{"--x: '" + text + "' is not a number in [0, 1]"};
        xs.push_back(*x == 0 ? 0.0 : *x);
        if (comma == std::string::npos)
            return xs;
        start = comma + 1;
    }
}

int runTemperature(const CommonOptions &options, const std::string &foText,
                   const std::string &xList, std::ostream &out)
{
    const std::optional<double> fo = wholeNumber(foText);
    if (!fo || *fo < 0)
        throw UsageProblem{"--fo: '" + foText + "' is not a number >= 0"};
    const std::vector<double> xs = positions(xList);
    const WallSolution wall(options.biotNumber());

    Table table(out, options);
    table.row({"x", "theta", "theta_one_term"});
    const double foValue = *fo == 0 ? 0.0 : *fo;
    for (const double x : xs)
        table.row({table.number(x), table.number(wall.theta(x, foValue)),
                   table.number(wall.oneTermTheta(x, foValue))});
    table.row({"Q/Q0", table.number(wall.energyRatio(foValue)),
               table.number(wall.oneTermEnergyRatio(foValue))});

    if (foValue < 0.2)
        table.row(
            {"note", "Fo < 0.2: the one-term approximation can be off by more than about 2%"});
    return kSuccess;
}

} // namespace

bool isSeriesCommand(std::string_view word)
{
    return word == "roots" || word == "temperature";
}

int runSeriesCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    const bool roots = args.front() == "roots";
    const std::string_view usage = roots ? kRootsUsage : kTemperatureUsage;
    CLI::App app(roots ? "The first N roots zeta_n of zeta*tan(zeta) = Bi and the series "
                         "coefficients C_n = 4 sin(zeta_n) / (2 zeta_n + sin(2 zeta_n))."
                       : "The temperature theta* = (T - Tinf)/(Ti - Tinf) at x* = x/L and Fo, "
                         "from the series and from its first term, then the energy ratio Q/Q0.",
                 std::string(kProgram) + ' ' + std::string(args.front()));
    app.set_help_flag("--help", "prints this text");
    CommonOptions options;
    options.addTo(app);
    int count = 4;
    std::string fo, xs;
    if (roots) {
        app.add_option("--count", count, "how many roots, 1 to 10000 (4)")
            ->check(CLI::Range(1, kMaxRootCount));
    } else {
        app.add_option("--fo", fo, "the Fourier number, >= 0")->required();
        app.add_option("--x", xs, "positions x* in [0, 1], separated by commas")->required();
    }

    try {
        parse(app, args.subspan(1));
        return roots ? runRoots(options, count, out) : runTemperature(options, fo, xs, out);
    } catch (const CLI::CallForHelp &) {
        out << app.help();
        return kSuccess;
    } catch (const CLI::ParseError &e) {
        return usageError(err, e.what(), usage);
    } catch (const UsageProblem &problem) {
        return usageError(err, problem.message, usage);
    } catch (const ArithmeticError &e) {
        err << kProgram << ": " << e.what() << '\n';
        return kArithmeticFailure;
    }
}

} // namespace planewall::cli
