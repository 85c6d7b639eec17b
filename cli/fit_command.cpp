// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "fit_command.h"

#include "arguments.h"
#include "cli.h"
#include "fit.h"
#include "output.h"
#include "problem_options.h"
#include "readings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <istream>
#include <limits>
#include <memory>
#include <ostream>

namespace planewall::cli {

namespace {

constexpr std::string_view kUsage
    = "usage: planewall-cli fit --data FILE (--x X | --mean) --L L --k K\n"
      "                         (--alpha A | --rho R --cp C | --material M)\n"
      "                         --ti (T | first) --tinf T [--also alpha|k]\n"
      "                         [--columns TIME,TEMP] [--time-unit s|min|h]\n"
      "                         [--t0 T] [--from T] [--to T] [--h-start H]\n"
      "                         [--precision P] [--csv | --json]\n";

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct FitOptions
{
    std::string data, x, columns, timeUnit, t0, from, to, also, hStart;
    bool mean = false;
};

// Bad data: the file's name, the line, what is wrong; exit 2 without the usage lines, which
// would say nothing about the file.
struct DataProblem
{
    std::string message;
};

// The file as messages name it: its name without the folders, which the user gave and knows.
std::string fileName(const std::string &path)
{
    if (path == "-")
        return "standard input";
    const std::string name = std::filesystem::path(path).filename().string();
    return echoed(name.empty() ? path : name);
}

DataProblem dataProblem(const std::string &path, const ReadingsError &error)
{
    std::string where = fileName(path);
    if (error.line() > 0)
        where += ", line " + std::to_string(error.line());
    return {where + ": " + error.what()};
}

// The whole file, opened for reading only; at most kMaxReadingsBytes and one byte more, so that
// the reader can tell a file that is too big.
std::string readFile(const std::string &path, std::istream &in)
{
    std::string text;
    const std::size_t limit = kMaxReadingsBytes + 1;
    if (path == "-") {
        std::vector<char> buffer(1 << 16);
        while (text.size() < limit
               && in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())).gcount() > 0)
            text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        if (in.bad())
            throw DataProblem{"standard input: cannot be read"};
        return text.substr(0, limit);
    }
    std::error_code code;
    if (std::filesystem::is_directory(path, code))
        throw DataProblem{fileName(path) + ": is a directory, not a file of readings"};
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                                &std::fclose);
    if (!file)
        throw DataProblem{fileName(path) + ": cannot be opened: " + std::strerror(errno)};
    std::vector<char> buffer(1 << 16);
    while (text.size() < limit) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        text.append(buffer.data(), got);
        if (got < buffer.size())
            break;
    }
    if (std::ferror(file.get()))
        throw DataProblem{fileName(path) + ": cannot be read: " + std::strerror(errno)};
    return text;
}

double timeOption(const char *option, const std::string &text, double byDefault)
{
    if (text.empty())
        return byDefault;
    return quantity(option, text, Quantity::Time).value;
}

AlsoFit alsoFit(const std::string &text)
{
    if (text.empty())
        return AlsoFit::None;
    if (text == "alpha")
        return AlsoFit::Alpha;
    if (text == "k")
        return AlsoFit::K;
    throw UsageProblem{"--also: '" + echoed(text) + "' is not one of alpha, k"};
}

nlohmann::ordered_json interval(const Estimate &e)
{
    const auto end = [](double value) {
        return std::isfinite(value) ? nlohmann::ordered_json(value)
                                    : nlohmann::ordered_json(nullptr);
    };
    return nlohmann::ordered_json::array({end(e.low), end(e.high)});
}

// The results as one JSON object, or as two tables: the values, then the readings.
void report(const FitResult &r, const FitSetup &setup, AlsoFit also,
            const std::vector<std::string> &notes, const OutputOptions &output, std::ostream &out,
            std::ostream &err)
{
    const Format format = output.format();
    const char *second = also == AlsoFit::Alpha ? "alpha" : "k";
    const std::optional<Estimate> &secondEstimate = also == AlsoFit::Alpha ? r.alpha : r.k;
    std::vector<std::string> allNotes = notes;
    allNotes.insert(allNotes.end(), r.notes.begin(), r.notes.end());

    if (format == Format::Json) {
        nlohmann::ordered_json json = {{"h", r.h.value}, {"h_ci95", interval(r.h)}};
        json["h_lower_bound_only"] = r.lowerBoundOnly;
        if (secondEstimate) {
            json[second] = secondEstimate->value;
            json[std::string(second) + "_ci95"] = interval(*secondEstimate);
            json["correlation"] = r.correlation;
        }
        json["Bi"] = r.bi;
        json["rms"] = r.rms;
        json["points"] = r.points;
        json["dof"] = r.degreesOfFreedom;
        json["t95"] = r.tQuantile;
        json["sensitivity"] = r.sensitivity;
        json["sensitivity_t"] = r.sensitivityTime;
        json["sensitivity_line"] = r.sensitivityLine;
        json["iterations"] = r.iterations;
        json["T_unit"] = setup.unit.empty() ? nlohmann::ordered_json(nullptr)
                                            : nlohmann::ordered_json(setup.unit);
        json["Ti"] = setup.tI;
        json["Tinf"] = setup.tInf;
        if (setup.mean)
            json["mean"] = true;
        else
            json["x"] = setup.x;
        json["notes"] = allNotes;
        json["warnings"] = r.warnings;
        nlohmann::ordered_json fitted = nlohmann::ordered_json::array();
        for (const FitPoint &p : r.fitted)
            fitted.push_back({{"t", p.t},
                              {"T", p.measured},
                              {"T_fit", p.fitted},
                              {"residual", p.residual},
                              {"line", p.line}});
        json["fitted"] = std::move(fitted);
        writeJson(out, json);
        return;
    }

    std::vector<std::string> keys = {"h", "h_ci95_low", "h_ci95_high"};
    if (secondEstimate) {
        for (const char *suffix : {"", "_ci95_low", "_ci95_high"})
            keys.push_back(second + std::string(suffix));
    }
    for (const char *key : {"Bi", "rms", "points", "sensitivity", "sensitivity_t"})
        keys.emplace_back(key);
    Table values(format, output.digits(), keys);
    std::vector<std::string> cells
        = {values.number(r.h.value), values.number(r.h.low), values.number(r.h.high)};
    if (secondEstimate) {
        for (const double v : {secondEstimate->value, secondEstimate->low, secondEstimate->high})
            cells.push_back(values.number(v));
    }
    for (const double v :
         {r.bi, r.rms, static_cast<double>(r.points), r.sensitivity, r.sensitivityTime})
        cells.push_back(values.number(v));
    values.row(cells);
    Table readings(format, output.digits(), {"t", "T", "T_fit", "residual", "line"});
    for (const FitPoint &p : r.fitted)
        readings.row({readings.number(p.t), readings.number(p.measured), readings.number(p.fitted),
                      readings.number(p.residual), std::to_string(p.line)});
    values.write(out);
    out << '\n';
    readings.write(out);
    for (const std::string &text : allNotes)
        note(err, text);
    for (const std::string &text : r.warnings)
        err << kProgram << ": warning: " << text << '\n';
}

int runFit(const FitOptions &o, const ProblemOptions &problemOptions, const std::string &tiText,
           const std::string &tinfText, const OutputOptions &output, std::istream &in,
           std::ostream &out, std::ostream &err)
{
    output.format(); // a usage error before any work
    output.digits();
    if (o.data.empty())
        throw UsageProblem{"--data is needed: the file of readings (- for standard input)"};
    if (o.mean && !o.x.empty())
        throw UsageProblem{"--x and --mean: give one of them"};
    if (!o.mean && o.x.empty())
        throw UsageProblem{"give --x (where the sensor is, from the mid-plane) or --mean"};
    const AlsoFit also = alsoFit(o.also);

    ReadOptions read;
    if (!o.columns.empty()) {
        const std::vector<std::string> columns = splitList("--columns", o.columns);
        if (columns.size() != 2)
            throw UsageProblem{"--columns: '" + echoed(o.columns)
                               + "' must name two columns, the time's and the temperature's"};
        read.timeColumn = columns[0];
        read.temperatureColumn = columns[1];
    }
    if (!o.timeUnit.empty()) {
        bool known = false;
        for (const Unit &unit : unitsOf(Quantity::Time))
            known |= unit.symbol == o.timeUnit;
        if (!known)
            throw UsageProblem{"--time-unit: '" + echoed(o.timeUnit) + "' is not one of "
                               + acceptedUnits(Quantity::Time)};
        read.timeUnit = o.timeUnit;
    }
    const double t0 = timeOption("--t0", o.t0, 0);
    const double from = timeOption("--from", o.from, 0);
    const double to = timeOption("--to", o.to, kInfinity);
    if (from < 0)
        throw UsageProblem{"--from: '" + echoed(o.from) + "' is negative: times count from --t0"};
    if (!(to > from))
        throw UsageProblem{"--to: must be later than --from"};
    std::optional<double> hStart;
    if (!o.hStart.empty()) {
        hStart = quantity("--h-start", o.hStart, Quantity::HeatTransferCoefficient).value;
        if (!(*hStart > 0))
            throw UsageProblem{"--h-start: must be a finite number > 0"};
    }
    const Wall wall = problemOptions.wall();
    if (tiText.empty())
        throw UsageProblem{"--ti is needed: the initial temperature, or 'first' for the first "
                           "reading's"};
    if (tinfText.empty())
        throw UsageProblem{"--tinf is needed: the temperature of the fluid"};
    const bool tiFirst = tiText == "first";
    const std::optional<Measured> tiGiven = tiFirst
        ? std::nullopt
        : std::optional<Measured>(quantity("--ti", tiText, Quantity::Temperature));
    const Measured tInfGiven = quantity("--tinf", tinfText, Quantity::Temperature);
    double x = 0;
    if (!o.mean)
        x = o.x == "surface" ? wall.L : quantity("--x", o.x, Quantity::Length).value;

    Readings readings;
    Selection selection;
    try {
        readings = readReadings(readFile(o.data, in), read);
        selection = selectReadings(readings.rows, t0, from, to);
        if (selection.rows.empty())
            throw ReadingsError(0, "no readings lie between --from and --to after --t0");
    } catch (const ReadingsError &error) {
        throw dataProblem(o.data, error);
    }
    std::vector<std::string> notes;
    if (selection.beforeStart > 0)
        notes.push_back(std::to_string(selection.beforeStart)
                        + (selection.beforeStart == 1 ? " reading" : " readings")
                        + " before the start (--t0, --from) left out");
    if (selection.afterEnd > 0)
        notes.push_back(std::to_string(selection.afterEnd)
                        + (selection.afterEnd == 1 ? " reading" : " readings")
                        + " after --to left out");

    // The problem's scale: Ti's unit, else T∞'s, else the one the file's heading gives.
    const Reading &first = selection.rows.front();
    std::vector<Measured> temperatures
        = {tiFirst ? Measured{first.T, readings.temperatureUnit} : *tiGiven, tInfGiven};
    if (!readings.temperatureUnit.empty())
        temperatures.push_back({absoluteZero(readings.temperatureUnit), readings.temperatureUnit});
    FitSetup setup;
    try {
        const ResolvedTemperatures resolved = resolveTemperatures(temperatures);
        setup.unit = resolved.scale.unit;
        setup.tI = resolved.values[0];
        setup.tInf = resolved.values[1];
    } catch (const QuantityError &error) {
        if (error.index() == 0 && tiFirst)
            throw dataProblem(o.data, ReadingsError(first.line, error.what()));
        throw UsageProblem{std::string(error.index() == 0 ? "--ti" : "--tinf") + ": "
                           + error.what()};
    }
    std::vector<Reading> rows = selection.rows;
    try {
        for (Reading &r : rows)
            r.T = toProblemScale(r, readings.temperatureUnit, setup.unit);
    } catch (const ReadingsError &error) {
        throw dataProblem(o.data, error);
    }
    if (tiFirst)
        notes.push_back("Ti = " + formatTemperature(setup.tI, setup.unit)
                        + ", the first reading's (line " + std::to_string(first.line) + ")");

    setup.wall = wall;
    setup.mean = o.mean;
    setup.x = x;
    setup.also = also;
    setup.hStart = hStart;
    try {
        const FitResult result = withOptionNames([&] { return fitReadings(rows, setup); });
        report(result, setup, also, notes, output, out, err);
        return kSuccess;
    } catch (const ReadingsError &error) {
        throw dataProblem(o.data, error);
    } catch (const FitError &error) {
        err << kProgram << ": " << error.what() << '\n';
        return kFailure;
    }
}

} // namespace

int runFitCommand(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
                  std::ostream &err)
{
    CLI::App app("Fits the heat transfer coefficient h (and the diffusivity or the conductivity "
                 "with --also) to measured temperatures T(t) at a place in the wall or of its "
                 "mean, by least squares on the exact solution, with its 95% confidence "
                 "interval, the RMS residual and how much the readings depend on h. The file "
                 "holds a time and a temperature a line, separated by commas or tabs, under an "
                 "optional header whose headings may give units: 't [min]', 'T [C]'. Plain "
                 "times are in seconds (or --time-unit), plain temperatures in Ti's unit. "
                 "Times in --t0, --from, --to and the output count from --t0.",
                 std::string(kProgram) + " fit");
    app.set_help_flag("--help", "prints this text");
    OutputOptions output;
    output.addTo(app);
    ProblemOptions problem;
    problem.addTo(app, false);
    app.get_option("--ti")->description(
        "initial temperature of the wall (C, K, F, or a plain number), or first: the first "
        "reading's");
    FitOptions o;
    app.add_option("--data", o.data, "the file of readings, - for standard input");
    app.add_option("--x", o.x, "where the sensor is: a distance from the mid-plane, or surface");
    app.add_flag("--mean", o.mean, "the readings are of the wall's mean temperature");
    app.add_option("--columns", o.columns,
                   "the time's and the temperature's columns, by heading or number from 1 "
                   "(1,2)");
    app.add_option("--time-unit", o.timeUnit, "the unit of plain times: s, min, h (s)");
    app.add_option("--t0", o.t0, "the file's time at which the wall met the fluid (0)");
    app.add_option("--from", o.from, "fit only readings from this time on (0)");
    app.add_option("--to", o.to, "fit only readings up to this time");
    app.add_option("--also", o.also, "fit alpha as well (k held), or k (rho*cp held) as well as h");
    app.add_option("--h-start", o.hStart,
                   "where the fit starts (by default the h that explains the reading nearest "
                   "halfway from Ti to Tinf)");

    try {
        parse(app, args.subspan(1));
        const auto text = [&](const char *name) {
            const CLI::Option *option = app.get_option_no_throw(name);
            return option && option->count() > 0 ? option->as<std::string>() : std::string();
        };
        return runFit(o, problem, text("--ti"), text("--tinf"), output, in, out, err);
    } catch (const CLI::CallForHelp &) {
        out << app.help();
        return kSuccess;
    } catch (const UsageProblem &problemText) {
        return usageError(err, problemText.message, kUsage);
    } catch (const DataProblem &problemText) {
        err << kProgram << ": " << problemText.message << '\n';
        return kUsageError;
    } catch (const std::exception &error) {
        // Whatever else stops the fit (memory, a number beyond range) ends it with its reason.
        err << kProgram << ": the fit failed: " << error.what() << '\n';
        return kFailure;
    }
}

} // namespace planewall::cli
