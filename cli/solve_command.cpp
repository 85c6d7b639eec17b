// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "solve_command.h"

#include "arguments.h"
#include "cli.h"
#include "output.h"
#include "problem_options.h"
#include "solve.h"

#include <cmath>
#include <ostream>

namespace planewall::cli {

namespace {

constexpr std::string_view kUsage
    = "usage: planewall-cli solve --for t (--target T | --target-theta TH) (--x X | --mean)\n"
      "                           --L L --k K (--alpha A | --rho R --cp C | --material M)\n"
      "                           --h H --ti T --tinf T\n"
      "       planewall-cli solve --for h (--target T | --target-theta TH) (--x X | --mean)\n"
      "                           --t T --L L --k K (--alpha A | ...) --ti T --tinf T\n"
      "       planewall-cli solve --for fo (--bi B | --h H --L L --k K) --target-theta TH\n"
      "                           (--x X* | --mean)\n"
      "       planewall-cli solve --for bi --fo F --target-theta TH (--x X* | --mean)\n"
      "       [--precision P] [--csv | --json]\n";

// An answer is reported as good to 1e-10 where the problem allows; beyond that, a note says
// how good it is.
constexpr double kAskedAccuracy = 1e-10;

struct SolveOptions
{
    std::string what, target, targetTheta, x, t, fo, bi;
    bool mean = false;
    CLI::Option *hOption = nullptr;
};

// θ* given as such, for a dimensionless problem or instead of a temperature.
Target thetaTarget(const std::string &text)
{
    const double theta = number("--target-theta", text);
    return Target::fromTheta(theta);
}

int report(const SolveOptions &o, const OutputOptions &output, Solved solved, const char *unit,
           double bi, double fo, std::ostream &out, std::ostream &err)
{
    const Format format = output.format();
    if (format == Format::Json) {
        writeJson(out,
                  {{"for", o.what},
                   {"value", solved.value},
                   {"unit", unit},
                   {"rel_error", solved.relError},
                   {"Bi", bi},
                   {"Fo", fo}});
    } else {
        Table table(format, output.digits(), {"for", "value", "unit", "rel_error", "Bi", "Fo"});
        table.row({o.what, table.number(solved.value), unit, table.number(solved.relError),
                   table.number(bi), table.number(fo)});
        table.write(out);
    }
    if (solved.relError > kAskedAccuracy) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "the answer is good to about %.1g relative only: the temperature hardly "
                      "changes with it there",
                      solved.relError);
        note(err, text);
    }
    return kSuccess;
}

int runSolve(const SolveOptions &o, const ProblemOptions &problemOptions,
             const OutputOptions &output, const std::string &biText, const std::string &hText,
             const std::string &lText, const std::string &kText, std::ostream &out,
             std::ostream &err)
{
    output.format(); // a usage error before any work
    if (o.what != "t" && o.what != "h" && o.what != "fo" && o.what != "bi")
        throw UsageProblem{"--for: '" + echoed(o.what) + "' is not one of t, h, fo, bi"};
    if (o.mean && !o.x.empty())
        throw UsageProblem{"--x and --mean: give one of them"};
    if (!o.mean && o.x.empty())
        throw UsageProblem{"give --x (a place) or --mean"};
    if (!o.target.empty() && !o.targetTheta.empty())
        throw UsageProblem{"--target and --target-theta: give one of them"};
    if (o.target.empty() && o.targetTheta.empty())
        throw UsageProblem{"give --target (a temperature) or --target-theta"};
    const bool dimensional = o.what == "t" || o.what == "h";
    if (!dimensional && !o.target.empty())
        throw UsageProblem{"--target: --for " + o.what + " is dimensionless; give --target-theta"};

    if (!dimensional) {
        if (!o.t.empty())
            throw UsageProblem{"--t: --for " + o.what + " is dimensionless; give --fo"};
        const Target target = thetaTarget(o.targetTheta);
        Where where{o.mean, 0};
        if (!o.mean) {
            where.x = number("--x", o.x);
            if (!(where.x >= 0 && where.x <= 1))
                throw UsageProblem{"--x: '" + echoed(o.x) + "' is not in [0, 1]"};
        }
        if (o.what == "fo") {
            if (!o.fo.empty())
                throw UsageProblem{"--fo: it is what --for fo solves for"};
            double bi;
            if (!biText.empty()) {
                bi = number("--bi", biText);
                if (bi < 0)
                    throw UsageProblem{"--bi: Bi is negative"};
            } else {
                bi = biotFromTexts(hText, lText, kText);
            }
            const WallSolution wall(bi);
            const Solved solved = solveFourier(wall, where, target);
            return report(o, output, solved, "", bi, solved.value, out, err);
        }
        if (!biText.empty() || !hText.empty())
            throw UsageProblem{"--bi: it is what --for bi solves for"};
        if (o.fo.empty())
            throw UsageProblem{"--fo is needed: the Fourier number by which to reach the target"};
        const double fo = number("--fo", o.fo);
        if (fo < 0)
            throw UsageProblem{"--fo: '" + echoed(o.fo) + "' is negative"};
        const Solved solved = solveBiot(fo, where, target);
        return report(o, output, solved, "", solved.value, fo, out, err);
    }

    if (!o.fo.empty() || !biText.empty())
        throw UsageProblem{std::string(o.fo.empty() ? "--bi" : "--fo") + ": --for " + o.what
                           + " solves a wall in real units"};
    if (o.what == "t" && !o.t.empty())
        throw UsageProblem{"--t: it is what --for t solves for"};
    if (o.what == "h" && o.hOption->count() > 0)
        throw UsageProblem{"--h: it is what --for h solves for"};
    if (o.what == "h" && o.t.empty())
        throw UsageProblem{"--t is needed: the time by which to reach the target"};

    std::vector<std::pair<std::string, std::string>> extra;
    if (!o.target.empty())
        extra.emplace_back("--target", o.target);
    const ProblemOptions::Temperatures temperatures = problemOptions.temperatures(extra);
    const Problem problem = problemOptions.problem(temperatures, o.what == "h");
    Where where{o.mean, 0};
    if (!o.mean) {
        const double x = quantity("--x", o.x, Quantity::Length).value;
        where.x = withOptionNames([&] { return problem.xStar(x); });
    }
    const double targetT = o.target.empty() ? NAN : temperatures.others.front();
    try {
        const Target target
            = o.target.empty() ? thetaTarget(o.targetTheta) : problem.target(targetT);
        if (o.what == "t") {
            const Solved fo = solveFourier(problem.solution(), where, target);
            return report(o, output, {problem.time(fo.value), fo.relError}, "s", problem.bi(),
                          fo.value, out, err);
        }
        const double t = quantity("--t", o.t, Quantity::Time).value;
        if (t < 0)
            throw UsageProblem{"--t: '" + echoed(o.t) + "' is negative"};
        const double fo = problem.fourier(t);
        const Solved bi = solveBiot(fo, where, target);
        return report(o, output, {problem.heatTransferCoefficient(bi.value), bi.relError}, "W/m2K",
                      bi.value, fo, out, err);
    } catch (const UnreachableTarget &error) {
        // Said in temperatures when the target is one; in θ* otherwise.
        const double shown
            = o.target.empty() ? problem.temperature(thetaTarget(o.targetTheta).theta) : targetT;
        err << kProgram << ": " << unreachableMessage(error, problem, shown) << '\n';
        return kFailure;
    }
}

} // namespace

int runSolveCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    CLI::App app("Solves for the time (t, or Fo) at which a point or the mean of the wall reaches "
                 "a target temperature, or for the heat transfer coefficient (h, or Bi) that "
                 "brings it there by a given time. The answer carries its relative error.",
                 std::string(kProgram) + " solve");
    app.set_help_flag("--help", "prints this text");
    OutputOptions output;
    output.addTo(app);
    SolveOptions o;
    ProblemOptions problem;
    problem.addTo(app);
    std::string bi;
    app.add_option("--for", o.what, "what to solve for: t, h (real units), fo, bi (dimensionless)");
    app.add_option("--target", o.target, "the temperature to reach (C, K, F, or plain)");
    app.add_option("--target-theta", o.targetTheta,
                   "the target as theta* = (T - Tinf)/(Ti - Tinf), in (0, 1)");
    app.add_option("--x", o.x, "where: a distance from the mid-plane (x* with fo, bi)");
    app.add_flag("--mean", o.mean, "the mean temperature of the wall instead of a point");
    app.add_option("--t", o.t, "the time, for --for h (s, min, h)");
    app.add_option("--fo", o.fo, "the Fourier number, for --for bi");
    app.add_option("--bi", bi, "the Biot number, for --for fo");
    // --h, --L and --k come with the problem's options: for --for fo they give Bi = h*L/k.
    o.hOption = app.get_option_no_throw("--h");

    try {
        parse(app, args.subspan(1));
        const auto text = [&](const char *name) {
            const CLI::Option *option = app.get_option_no_throw(name);
            return option && option->count() > 0 ? option->as<std::string>() : std::string();
        };
        return runSolve(o, problem, output, bi, text("--h"), text("--L"), text("--k"), out, err);
    } catch (const CLI::CallForHelp &) {
        out << app.help();
        return kSuccess;
    } catch (const UsageProblem &problemText) {
        return usageError(err, problemText.message, kUsage);
    } catch (const UnreachableTarget &error) {
        err << kProgram << ": " << error.what() << '\n';
        return kFailure;
    } catch (const std::range_error &error) {
        err << kProgram << ": " << error.what() << '\n';
        return kFailure;
    }
}

} // namespace planewall::cli
