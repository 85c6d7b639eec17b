// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "cli.h"

#include "arguments.h"
#include "arithmetic_error.h"
#include "calculation.h"
#include "fit_command.h"
#include "number_text.h"
#include "planewall_version.h"
#include "series_commands.h"
#include "solve_command.h"
#include "verify_command.h"

#include <cstdio>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace planewall::cli {

namespace {

constexpr std::string_view kUsage
    = "usage: planewall-cli [--steps] [--] H L K\n"
      "       planewall-cli --batch\n"
      "       planewall-cli roots|temperature|solve|fit|verify|materials ... (see --help)\n"
      "       planewall-cli --help | --version\n";

constexpr std::string_view kHelp
    = "Usage: planewall-cli [--steps] [--] H L K\n"
      "  or:  planewall-cli --batch\n"
      "  or:  planewall-cli roots|temperature|solve|fit|verify|materials [OPTION]...\n"
      "Plane wall with convection, exact solution: the Biot number Bi = h*L/k and the first\n"
      "four roots zeta1..zeta4 of zeta*tan(zeta) = Bi, found by Newton's method; and the\n"
      "temperatures, energy and heat flux of the wall at any time, in real units, solving for\n"
      "the time or the heat transfer coefficient that reaches a temperature.\n"
      "\n"
      "H, L and K are read as the calculator's entry boxes read them: the number a text\n"
      "begins with counts and the rest is ignored; a text without a number reads as 0;\n"
      "'.' is the decimal point, so \"1,5\" reads as 1. Five lines follow, in the order they\n"
      "are computed: Bi<TAB>text, zeta1<TAB>text, ..., zeta4<TAB>text (Bi with two\n"
      "decimals, the roots with four).\n"
      "\n"
      "  --steps    also print every Newton step before its root's line, as\n"
      "             zetaN<TAB>step<TAB>S<TAB>TEXT<TAB>VALUE (S counts from 1, TEXT as the\n"
      "             box shows it, VALUE the iterate to 17 significant digits)\n"
      "  --batch    read cases from standard input, one a line, H L K separated by tabs\n"
      "             (or, in a line without a tab, by runs of blanks); missing fields are\n"
      "             empty texts; print one line per input line: the five texts separated\n"
      "             by tabs, or error<TAB>message; takes no texts and no --steps\n"
      "  --help     print this text\n"
      "  --version  print the version\n"
      "  --         end the options: options come before the texts, and any other\n"
      "             argument is a text (planewall-cli -1 1 1 computes h = -1)\n"
      "\n"
      "A calculation that cannot go on is reported with its cause: \"division by zero: k is\n"
      "0\" (also when h*L is 0), \"overflow: h*L is too large\" and the like; a --batch line\n"
      "says only \"error<TAB>division by zero\" or \"error<TAB>overflow\".\n"
      "\n"
      "Subcommands (each has its own --help; their option values are strict numbers with an\n"
      "optional unit, such as 50mm, 8min, 20C):\n"
      "  roots        the roots zeta_n to full precision, with the series coefficients C_n:\n"
      "               roots (--bi B | --h H --L L --k K) [--count N]\n"
      "  temperature  the exact temperature at each place and time, the one-term\n"
      "               approximation and its error; then the mean temperature, Q/Q0 (and Q),\n"
      "               the surface heat flux and the lumped value with its error:\n"
      "               temperature (--bi B | --h H --L L --k K) --fo F --x X*[,X*...]\n"
      "               temperature --L L --k K (--alpha A | --rho R --cp C | --material M)\n"
      "                 --h H --ti T --tinf T --t T[,T...] --x X[,X...]|surface\n"
      "  solve        the time (or Fo) at which a place or the mean reaches a target, or the\n"
      "               h (or Bi) that reaches it by --t (or --fo), with its relative error:\n"
      "               solve --for t|h|fo|bi (--target T | --target-theta TH) (--x X | --mean)\n"
      "  fit          the h (and alpha or k) that explains measured temperatures T(t), with\n"
      "               its 95% interval, the RMS residual and how much the readings depend\n"
      "               on h: fit --data FILE (--x X | --mean) --L L --k K (--alpha A | ...)\n"
      "               --ti (T | first) --tinf T [--also alpha|k]\n"
      "  verify       check planewall against built-in reference cases\n"
      "  materials    list the materials --material knows\n"
      "Every subcommand takes --csv or --json (one object, full precision) and --precision.\n"
      "These words count as subcommands only as the first argument: the case whose h text\n"
      "is \"roots\" is planewall-cli -- roots 1 1.\n"
      "\n"
      "Exit status:\n"
      "  0  success;\n"
      "  1  a failure: an arithmetic error (the lines printed before it stay), output\n"
      "     that cannot be written, a target that cannot be reached, a reference case\n"
      "     outside its tolerance, a fit that does not converge;\n"
      "  2  a usage error or a file of readings that cannot be used (nothing is printed\n"
      "     on standard output).\n";

std::string_view slotName(Slot slot)
{
    constexpr std::string_view names[] = {"Bi", "zeta1", "zeta2", "zeta3", "zeta4"};
    return names[static_cast<int>(slot)];
}

// Prints a single case: Bi at once, each root's line when its search has ended, and with
// --steps every iterate as it comes.
class PrintingSink : public ResultSink
{
public:
    PrintingSink(std::ostream &out, bool steps) : m_out(out), m_steps(steps) { }

    void write(Slot slot, std::string_view text, double value) override
    {
        if (slot == Slot::Bi) {
            m_out << "Bi\t" << text << '\n';
            return;
        }
        if (slot != m_slot) {
            finishRoot();
            m_slot = slot;
            m_step = 0;
        }
        ++m_step;
        m_text.assign(text);
        if (m_steps) {
            char number[32];
            std::snprintf(number, sizeof number, "%.17g", value);
            m_out << slotName(slot) << "\tstep\t" << m_step << '\t' << text << '\t' << number
                  << '\n';
        }
    }

    // Prints the final line of the root being searched, once its search has ended.
    void finishRoot()
    {
        if (m_step > 0)
            m_out << slotName(m_slot) << '\t' << m_text << '\n';
        m_step = 0;
    }

private:
    std::ostream &m_out;
    bool m_steps;
    Slot m_slot = Slot::Bi;
    int m_step = 0;
    std::string m_text;
};

int runSingle(std::string_view h, std::string_view L, std::string_view k, bool steps,
              std::ostream &out, std::ostream &err)
{
    PrintingSink sink(out, steps);
    try {
        calculate(h, L, k, sink);
    } catch (const ArithmeticError &e) {
        // The root being searched did not end, so it gets no final line.
        out.flush();
        err << kProgram << ": " << e.what() << ": " << describeCause(e) << '\n';
        return kFailure;
    }
    sink.finishRoot();
    return kSuccess;
}

// Splits a batch line into fields: at every tab when it has one, else at runs of blanks.
std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    if (line.find('\t') != std::string_view::npos) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        return fields;
    }
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// Writes the output line of one batch case; returns false when the case failed.
bool runBatchLine(std::string_view line, std::string &output)
{
    const std::vector<std::string_view> fields = splitFields(line);
    if (fields.size() > 3) {
        output += "error\texpected three fields\n";
        return false;
    }
    std::string_view texts[3];
    for (std::size_t i = 0; i < fields.size(); ++i)
        texts[i] = fields[i];
    try {
        const Solution s = solve(texts[0], texts[1], texts[2]);
        output += formatBiot(s.bi);
        for (const double zeta : s.zeta) {
            output += '\t';
            output += formatRoot(zeta);
        }
        output += '\n';
        return true;
    } catch (const ArithmeticError &e) {
        output += "error\t";
        output += e.what();
        output += '\n';
        return false;
    }
}

int runBatch(std::istream &in, std::ostream &out)
{
    bool anyFailed = false;
    std::string line;
    std::string output;
    while (std::getline(in, line)) {
        // Lines from Windows end in CR LF; the CR belongs to no field.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        anyFailed |= !runBatchLine(line, output);
        if (output.size() >= 1 << 16) {
            out << output;
            output.clear();
        }
    }
    out << output;
    out.flush();
    return anyFailed ? kFailure : kSuccess;
}

} // namespace

int run(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
        std::ostream &err)
{
    // Subcommands only as the first argument: any other place holds a text.
    if (!args.empty()) {
        if (isSeriesCommand(args.front()))
            return runSeriesCommand(args, out, err);
        if (args.front() == "solve")
            return runSolveCommand(args, out, err);
        if (args.front() == "verify")
            return runVerifyCommand(args, out, err);
        if (args.front() == "fit")
            return runFitCommand(args, in, out, err);
    }

    // Options come before the texts: the first argument that is not an option, "--" or one
    // that only looks like an option ("-1"), ends them and starts the texts.
    CLI::App app("", std::string(kProgram));
    app.set_help_flag();
    bool steps = false, batch = false, help = false, version = false;
    app.add_flag("--steps", steps)->disable_flag_override();
    app.add_flag("--batch", batch)->disable_flag_override();
    app.add_flag("--help", help)->disable_flag_override();
    app.add_flag("--version", version)->disable_flag_override();
    app.prefix_command();
    try {
        parse(app, args);
    } catch (const UsageProblem &problem) {
        return usageError(err, problem.message, kUsage);
    }
    std::vector<std::string> texts = app.remaining();
    if (!texts.empty() && texts.front() == "--")
        texts.erase(texts.begin());

    if (help) {
        out << kHelp;
        return kSuccess;
    }
    if (version) {
        out << kProgram << ' ' << kVersion << '\n';
        return kSuccess;
    }
    if (batch) {
        if (steps)
            return usageError(err, "--batch takes no --steps", kUsage);
        if (!texts.empty())
            return usageError(err, "--batch takes no texts; it reads standard input", kUsage);
        return runBatch(in, out);
    }
    if (texts.size() != 3)
        return usageError(err, "expected three texts: H L K", kUsage);
    return runSingle(texts[0], texts[1], texts[2], steps, out, err);
}

} // namespace planewall::cli
