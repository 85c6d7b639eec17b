// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "series_commands.h"

#include "arguments.h"
#include "cli.h"
#include "exact_solution.h"
#include "materials.h"
#include "output.h"
#include "problem_options.h"
#include "series.h"

#include <ostream>
#include <string>
#include <vector>

namespace planewall::cli {

namespace {

constexpr std::string_view kRootsUsage
    = "usage: planewall-cli roots (--bi B | --h H --L L --k K) [--count N] [--precision P]\n"
      "                           [--csv | --json]\n";
constexpr std::string_view kTemperatureUsage
    = "usage: planewall-cli temperature (--bi B | --h H --L L --k K) --fo F[,F...] --x X[,X...]\n"
      "       planewall-cli temperature --L L --k K (--alpha A | --rho R --cp C | --material M)\n"
      "                                 --h H --ti T --tinf T --t T[,T...] --x X[,X...]|surface\n"
      "       [--precision P] [--csv | --json]\n";
constexpr std::string_view kMaterialsUsage = "usage: planewall-cli materials [--csv | --json]\n";

// The Biot number of a dimensionless problem: --bi, or h·L/k from --h, --L and --k (strict
// values, whose units, if any, are converted so that the ratio is consistent).
struct BiotOptions
{
    std::string bi, h, L, k;
    CLI::Option *biOption = nullptr;
    std::vector<CLI::Option *> parts;

    void addTo(CLI::App &app, bool withParts)
    {
        biOption = app.add_option("--bi", bi, "the Biot number hL/k, >= 0");
        if (!withParts)
            return;
        parts = {app.add_option("--h", h, "h, with --L and --k instead of --bi"),
                 app.add_option("--L", L, "L, the half-thickness"),
                 app.add_option("--k", k, "k; Bi = h*L/k")};
        for (CLI::Option *part : parts)
            part->excludes(biOption);
    }

    double value() const
    {
        double result;
        if (biOption->count() > 0)
            result = number("--bi", bi);
        else if (!h.empty() || !L.empty() || !k.empty())
            return biotFromTexts(h, L, k);
        else
            throw UsageProblem{"give --bi, or all three of --h, --L and --k"};
        if (result < 0)
            throw UsageProblem{"--bi: Bi is negative: the solution is for physical walls, with "
                               "Bi >= 0"};
        return result;
    }
};

int runRoots(const BiotOptions &biot, const OutputOptions &output, const std::string &countText,
             std::ostream &out)
{
    const Format format = output.format();
    const int digits = output.digits();
    const int count = countText.empty() ? 4 : wholeNumber("--count", countText, 1, kMaxRootCount);
    const double bi = biot.value();
    nlohmann::ordered_json json = {{"Bi", bi}, {"roots", nlohmann::ordered_json::array()}};
    Table table(format, digits, {"n", "zeta", "C"});
    for (int n = 1; n <= count; ++n) {
        const SeriesTerm term = seriesTerm(bi, n);
        json["roots"].push_back({{"n", n}, {"zeta", term.zeta}, {"C", term.c}});
        table.row({std::to_string(n), table.number(term.zeta), table.number(term.c)});
    }
    if (format == Format::Json)
        writeJson(out, json);
    else
        table.write(out);
    return kSuccess;
}

std::string methodName(Form form)
{
    return form == Form::SemiInfinite ? "semi-infinite" : "series";
}

int runTemperature(const BiotOptions &biot, const ProblemOptions &problemOptions,
                   const OutputOptions &output, const std::string &foText, const std::string &tText,
                   const std::string &xText, std::ostream &out, std::ostream &err)
{
    const Format format = output.format();
    const int digits = output.digits();
    const bool dimensional = !tText.empty();
    if (dimensional && !foText.empty())
        throw UsageProblem{"--t and --fo: give --t for a wall in real units, or --fo for the "
                           "dimensionless one"};
    if (!dimensional && foText.empty())
        throw UsageProblem{"give --t (a wall in real units) or --fo (dimensionless)"};
    if (xText.empty())
        throw UsageProblem{"--x is needed: where in the wall"};
    if (dimensional && biot.biOption->count() > 0)
        throw UsageProblem{"--bi: a wall in real units has its Bi from --h, --L and --k"};

    std::vector<std::string> notes;
    std::vector<double> times, places;
    std::optional<Problem> problem;
    std::optional<WallSolution> dimensionless;
    if (dimensional) {
        const ProblemOptions::Temperatures temperatures = problemOptions.temperatures();
        problem.emplace(problemOptions.problem(temperatures));
        for (const std::string &item : splitList("--t", tText)) {
            const double t = quantity("--t", item, Quantity::Time).value;
            if (t < 0)
                throw UsageProblem{"--t: '" + echoed(item) + "' is negative"};
            times.push_back(t);
        }
        for (const std::string &item : splitList("--x", xText)) {
            const bool surface = trimmed(item) == "surface";
            const double x
                = surface ? problem->wall().L : quantity("--x", item, Quantity::Length).value;
            withOptionNames([&] { return problem->xStar(x); });
            places.push_back(x);
        }
        if (problem->tI() == problem->tInf())
            notes.push_back("Ti = Tinf: the wall never changes; T = Ti everywhere");
    } else {
        dimensionless.emplace(biot.biOption->count() > 0 ? biot.value()
                                                         : problemOptions.dimensionlessBiot());
        for (const std::string &item : splitList("--fo", foText)) {
            const double fo = number("--fo", item);
            if (fo < 0)
                throw UsageProblem{"--fo: '" + echoed(item) + "' is negative"};
            times.push_back(fo);
        }
        for (const std::string &item : splitList("--x", xText)) {
            const double x = number("--x", item);
            if (!(x >= 0 && x <= 1))
                throw UsageProblem{"--x: '" + echoed(item) + "' is not in [0, 1]"};
            places.push_back(x);
        }
    }
    const double bi = problem ? problem->bi() : dimensionless->bi();

    Table points(format, digits), energies(format, digits);
    nlohmann::ordered_json json = {{"Bi", bi}};
    if (dimensional) {
        json["T_unit"] = problem->unit().empty()
            ? nlohmann::ordered_json(nullptr)
            : nlohmann::ordered_json(std::string(problem->unit()));
    }
    json["points"] = nlohmann::ordered_json::array();
    json["energy"] = nlohmann::ordered_json::array();

    bool early = false;
    for (const double t : times) {
        for (const double x : places) {
            const PointResult r
                = problem ? pointResult(*problem, x, t) : pointResult(*dimensionless, x, t);
            early |= r.fo < 0.2;
            Record row;
            if (dimensional)
                row.add("x", r.x);
            row.add("x_star", r.xStar);
            if (dimensional)
                row.add("t", r.t);
            row.add("Fo", r.fo);
            row.add("theta", r.theta);
            if (dimensional)
                row.add("T", r.temperature);
            row.add("theta_one_term", r.thetaOneTerm);
            row.add("error_one_term", r.errorOneTerm);
            row.add("method", methodName(r.form));
            json["points"].push_back(row.json());
            points.row(row);
        }
        const EnergyResult e
            = problem ? energyResult(*problem, t) : energyResult(*dimensionless, t);
        Record row;
        if (dimensional)
            row.add("t", e.t);
        row.add("Fo", e.fo);
        row.add("mean_theta", e.meanTheta);
        if (dimensional)
            row.add("mean_T", e.meanTemperature);
        row.add("Q_ratio", e.energyRatio);
        if (dimensional && e.energy)
            row.add("Q", *e.energy);
        row.add("q_star", e.fluxStar);
        if (dimensional)
            row.add("q_s", e.flux);
        row.add("theta_lumped", e.thetaLumped);
        row.add("error_lumped", e.errorLumped);
        row.add("Q_ratio_one_term", e.energyRatioOneTerm);
        row.add("error_one_term", e.errorOneTermEnergy);
        json["energy"].push_back(row.json());
        energies.row(row);
    }
    if (early)
        notes.push_back("Fo < 0.2: the one-term approximation can be off by more than about 2%");

    if (format == Format::Json) {
        json["notes"] = notes;
        writeJson(out, json);
        return kSuccess;
    }
    points.write(out);
    out << '\n';
    energies.write(out);
    for (const std::string &text : notes)
        note(err, text);
    return kSuccess;
}

int runMaterials(const OutputOptions &output, std::ostream &out)
{
    const Format format = output.format();
    Table table(format, 10, {"key", "name", "k", "rho", "cp", "alpha", "T", "source"});
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const Material &m : materials()) {
        table.row({std::string(m.key), std::string(m.name), table.number(m.k), table.number(m.rho),
                   table.number(m.cp), table.number(m.diffusivity()), table.number(m.temperature),
                   std::string(m.source)});
        json.push_back({{"key", m.key},
                        {"name", m.name},
                        {"k", m.k},
                        {"rho", m.rho},
                        {"cp", m.cp},
                        {"alpha", m.diffusivity()},
                        {"T", m.temperature},
                        {"source", m.source}});
    }
    if (format == Format::Json)
        writeJson(out, {{"materials", json}});
    else
        table.write(out);
    return kSuccess;
}

} // namespace

bool isSeriesCommand(std::string_view word)
{
    return word == "roots" || word == "temperature" || word == "materials";
}

int runSeriesCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    const std::string_view name = args.front();
    const std::string_view usage = name == "roots" ? kRootsUsage
        : name == "materials"                      ? kMaterialsUsage
                                                   : kTemperatureUsage;
    CLI::App app(name == "roots" ? "The first N roots zeta_n of zeta*tan(zeta) = Bi and the series "
                                   "coefficients C_n = 4 sin(zeta_n) / (2 zeta_n + sin(2 zeta_n))."
                     : name == "materials"
                     ? "The materials table: k, rho and cp of common solids at about 300 K, with "
                       "their sources."
                     : "The exact temperature theta* = (T - Tinf)/(Ti - Tinf) at each x and t (or "
                       "x* and Fo), with the one-term approximation and its error; then, at each "
                       "time, the mean, the energy given up Q/Q0 (and Q), the surface heat flux, "
                       "and the lumped value with its error.",
                 std::string(kProgram) + ' ' + std::string(name));
    app.set_help_flag("--help", "prints this text");
    OutputOptions output;
    output.addTo(app);
    BiotOptions biot;
    ProblemOptions problem;
    std::string count, fo, t, x;
    if (name == "roots") {
        biot.addTo(app, true);
        app.add_option("--count", count, "how many roots, 1 to 10000 (4)");
    } else if (name == "temperature") {
        biot.addTo(app, false);
        problem.addTo(app);
        app.add_option("--fo", fo, "Fourier numbers, >= 0, separated by commas (dimensionless)");
        app.add_option("--t", t, "times, >= 0 (s, min, h), separated by commas (real units)");
        app.add_option("--x", x,
                       "places: with --t distances from the mid-plane (m, cm, mm, in, ft) or "
                       "'surface'; with --fo x* in [0, 1]; separated by commas");
    }

    try {
        parse(app, args.subspan(1));
        if (name == "roots")
            return runRoots(biot, output, count, out);
        if (name == "materials")
            return runMaterials(output, out);
        return runTemperature(biot, problem, output, fo, t, x, out, err);
    } catch (const CLI::CallForHelp &) {
        out << app.help();
        return kSuccess;
    } catch (const UsageProblem &problemText) {
        return usageError(err, problemText.message, usage);
    }
}

} // namespace planewall::cli
