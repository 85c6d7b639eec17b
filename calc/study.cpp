// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "study.h"

#include "field_text.h"
#include "value_text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace planewall {

namespace {

constexpr std::string_view kDash = "\u2014";

// An SI unit for an empty symbol: a plain number is in the SI unit.
std::string_view unitOrSi(Quantity quantity, std::string_view unit)
{
    return unit.empty() ? unitsOf(quantity).front().symbol : unitOf(quantity, unit).symbol;
}

double shown(double si, Quantity quantity, std::string_view unit)
{
    return fromSi(si, unitOf(quantity, unitOrSi(quantity, unit)));
}

// A shortcut's error, shortcut less exact. A difference within rounding of the values (and of
// `scale`, the size the value is a part of) is no error the solution can tell, and shows as 0.
std::string errorText(double shortcut, double exact, double scale, std::string_view unit)
{
    const double error = shortcut - exact;
    const double noise = 1e-12 * std::max({std::abs(shortcut), std::abs(exact), scale});
    if (std::abs(error) <= noise)
        return formatWithUnit(0, unit);
    std::string text = formatWithUnit(error, unit, 3);
    return error > 0 ? "+" + text : text;
}

// The energy per unit area in a unit that keeps its digits readable.
struct EnergyUnit
{
    std::string_view symbol;
    double perJoule;
};

EnergyUnit energyUnitFor(double joules)
{
    const double size = std::abs(joules);
    if (size >= 1e6)
        return {"MJ/m2", 1e-6};
    if (size >= 1e3)
        return {"kJ/m2", 1e-3};
    return {"J/m2", 1};
}

// What the results show of one value: exact, and the shortcuts with their errors.
ResultLine line(std::string name, double exact, std::string_view unit,
                std::optional<double> oneTerm = std::nullopt,
                std::optional<double> lumped = std::nullopt, double scale = 0)
{
    ResultLine r{std::move(name),    formatWithUnit(exact, unit), std::string(kDash),
                 std::string(kDash), std::string(kDash),          std::string(kDash)};
    if (oneTerm && std::isfinite(*oneTerm)) {
        r.oneTerm = formatWithUnit(*oneTerm, unit);
        r.oneTermError = errorText(*oneTerm, exact, scale, unit);
    }
    if (lumped && std::isfinite(*lumped)) {
        r.lumped = formatWithUnit(*lumped, unit);
        r.lumpedError = errorText(*lumped, exact, scale, unit);
    }
    return r;
}

// The Fo at which the one-term θ* (at x*, or on the mean) reaches the target: the one term is
// A·exp(-ζ1²·Fo), whose A and ζ1² its values at Fo = 0 and 1 give. nullopt where it never does.
std::optional<double> oneTermFourier(const WallSolution &wall, Where where, double theta)
{
    const auto value = [&](double fo) {
        return where.mean ? 1 - wall.oneTermEnergyRatio(fo) : wall.oneTermTheta(where.x, fo);
    };
    const double a = value(0), b = value(1);
    if (!(a > 0 && b > 0 && theta > 0 && theta < a))
        return std::nullopt;
    return std::log(a / theta) / std::log(a / b);
}

// The wall and the temperatures in one scale, each error on its input.
struct Posed
{
    Wall wall;
    ResolvedTemperatures temperatures;
};

Posed pose(const StudyInputs &wanted)
{
    const auto value = [](const std::optional<Given> &g) {
        return g ? std::optional<double>(g->value) : std::nullopt;
    };
    Posed posed{makeWall(wanted.L.value, wanted.k.value, value(wanted.alpha), value(wanted.rho),
                         value(wanted.cp)),
                {}};
    std::vector<Measured> temperatures
        = {{wanted.tI.value, wanted.tI.unit}, {wanted.tInf.value, wanted.tInf.unit}};
    if (wanted.target)
        temperatures.push_back({wanted.target->value, wanted.target->unit});
    try {
        posed.temperatures = resolveTemperatures(temperatures);
    } catch (const QuantityError &e) {
        constexpr Input kOrder[] = {Input::TI, Input::TInf, Input::Target};
        throw InputError(e.index() < 3 ? kOrder[e.index()] : Input::TI, e.what());
    }
    return posed;
}

StudyResults results(const StudyInputs &wanted, const Problem &problem, double xStar, double fo,
                     const std::optional<Solved> &solved, double solvedTime,
                     std::optional<Target> target)
{
    const std::string_view scale = problem.unit();
    const double t = wanted.solveFor == SolveFor::Temperature || solvesForH(wanted.solveFor)
        ? wanted.t->value
        : solvedTime;
    StudyResults r{.bi = problem.bi(),
                   .fo = fo,
                   .xStar = xStar,
                   .h = problem.h(),
                   .t = t,
                   .point = pointResult(problem, wanted.x.value, t),
                   .energy = energyResult(problem, t),
                   .solved = solved,
                   .lines = {}};
    const WallSolution &wall = problem.solution();
    const double lumpedTheta = r.energy.thetaLumped;
    const auto temperature = [&](double theta) { return problem.temperature(theta); };
    const std::string_view timeUnit
        = unitOrSi(Quantity::Time, wanted.t ? wanted.t->unit : wanted.timeUnit);
    const std::string_view hUnit = unitOrSi(Quantity::HeatTransferCoefficient, wanted.h.unit);

    if (solved && target) {
        const double theta = target->theta;
        const Where where{targetOnMean(wanted.solveFor), xStar};
        if (solvesForTime(wanted.solveFor)) {
            std::optional<double> oneTerm, lumped;
            if (const auto foOne = oneTermFourier(wall, where, theta))
                oneTerm = shown(problem.time(*foOne), Quantity::Time, timeUnit);
            if (r.bi > 0 && theta > 0 && theta < 1)
                lumped = shown(problem.time(-std::log(theta) / r.bi), Quantity::Time, timeUnit);
            r.lines.push_back(
                line("t (solved)", shown(t, Quantity::Time, timeUnit), timeUnit, oneTerm, lumped));
        } else {
            std::optional<double> lumped;
            if (fo > 0 && theta > 0 && theta < 1) {
                lumped = shown(problem.heatTransferCoefficient(-std::log(theta) / fo),
                               Quantity::HeatTransferCoefficient, hUnit);
            }
            r.lines.push_back(line("h (solved)",
                                   shown(r.h, Quantity::HeatTransferCoefficient, hUnit), hUnit,
                                   std::nullopt, lumped));
        }
        if (solved->relError > 1e-6)
            r.lines.back().exact += " \u00B1" + formatSignificant(100 * solved->relError, 2) + "%";
    }
    r.lines.push_back(line("Bi", r.bi, ""));
    r.lines.push_back(line("Fo", fo, ""));
    // Temperatures carry the rounding of Ti and T∞ themselves.
    const double temperatureSize = std::max({std::abs(problem.tI()), std::abs(problem.tInf()),
                                             std::abs(problem.tI() - problem.tInf())});
    r.lines.push_back(line("T at x", r.point.temperature, scale, temperature(r.point.thetaOneTerm),
                           temperature(lumpedTheta), temperatureSize));
    r.lines.push_back(line("mean T", r.energy.meanTemperature, scale,
                           temperature(1 - r.energy.energyRatioOneTerm), temperature(lumpedTheta),
                           temperatureSize));
    r.lines.push_back(
        line("Q/Q\u2080", r.energy.energyRatio, "", r.energy.energyRatioOneTerm, 1 - lumpedTheta));
    if (r.energy.energy) {
        const double q0 = *problem.initialEnergy();
        const EnergyUnit unit = energyUnitFor(q0);
        r.lines.push_back(line("Q", *r.energy.energy * unit.perJoule, unit.symbol,
                               r.energy.energyRatioOneTerm * q0 * unit.perJoule,
                               (1 - lumpedTheta) * q0 * unit.perJoule));
    }
    // The flux into the fluid: Bi·θ* at the face in units of k(Ti - T∞)/L.
    const double fluxUnit = r.energy.fluxStar != 0
        ? r.energy.flux / r.energy.fluxStar
        : problem.wall().k * problem.drivingDifference() / problem.wall().L;
    r.lines.push_back(line("q\u209B", r.energy.flux, "W/m2",
                           r.bi * wall.oneTermTheta(1, fo) * fluxUnit,
                           r.bi * lumpedTheta * fluxUnit));
    return r;
}

ChartFrame frameOf(const StudyInputs &wanted, const Problem &problem, const StudyResults &r,
                   std::optional<Target> target)
{
    ChartFrame frame;
    frame.bi = r.bi;
    frame.fo = r.fo;
    frame.xStar = r.xStar;
    frame.solvedTime = solvesForTime(wanted.solveFor);
    if (frame.solvedTime && wanted.t)
        frame.givenFo = problem.fourier(wanted.t->value);
    if (target && wanted.solveFor != SolveFor::Temperature) {
        frame.targetTheta = target->theta;
        frame.targetOnMean = targetOnMean(wanted.solveFor);
    }
    frame.lengthName = "x";
    frame.lengthUnit = unitOrSi(Quantity::Length, wanted.x.unit);
    frame.lengthPerXStar = shown(problem.wall().L, Quantity::Length, frame.lengthUnit);
    frame.timeName = "t";
    frame.timeUnit = unitOrSi(Quantity::Time, wanted.t ? wanted.t->unit : wanted.timeUnit);
    frame.timePerFo = shown(problem.time(1), Quantity::Time, frame.timeUnit);
    frame.temperatureName = "T";
    frame.temperatureUnit = problem.unit();
    frame.tInf = problem.tInf();
    frame.tDifference = problem.tI() - problem.tInf();
    if (const auto q0 = problem.initialEnergy()) {
        const EnergyUnit unit = energyUnitFor(*q0);
        frame.initialEnergy = *q0 * unit.perJoule;
        frame.energyUnit = unit.symbol;
    }
    return frame;
}

} // namespace

bool solvesForTime(SolveFor s)
{
    return s == SolveFor::TimeAtX || s == SolveFor::TimeOnMean;
}

bool solvesForH(SolveFor s)
{
    return s == SolveFor::HAtX || s == SolveFor::HOnMean;
}

bool targetOnMean(SolveFor s)
{
    return s == SolveFor::TimeOnMean || s == SolveFor::HOnMean;
}

std::string_view solveForKey(SolveFor s)
{
    switch (s) {
    case SolveFor::Temperature:
        return "temperature";
    case SolveFor::TimeAtX:
        return "time-at-x";
    case SolveFor::TimeOnMean:
        return "time-on-mean";
    case SolveFor::HAtX:
        return "h-at-x";
    case SolveFor::HOnMean:
        return "h-on-mean";
    }
    return "";
}

std::optional<SolveFor> solveForOf(std::string_view key)
{
    for (SolveFor s : kSolveFors) {
        if (solveForKey(s) == key)
            return s;
    }
    return std::nullopt;
}

Quantity quantityOf(Input input)
{
    switch (input) {
    case Input::L:
    case Input::X:
        return Quantity::Length;
    case Input::K:
        return Quantity::Conductivity;
    case Input::Alpha:
        return Quantity::Diffusivity;
    case Input::Rho:
        return Quantity::Density;
    case Input::Cp:
        return Quantity::SpecificHeat;
    case Input::H:
        return Quantity::HeatTransferCoefficient;
    case Input::TI:
    case Input::TInf:
    case Input::Target:
        return Quantity::Temperature;
    case Input::T:
        return Quantity::Time;
    }
    return Quantity::Number;
}

Study runStudy(const StudyInputs &wanted)
{
    Study study;
    std::optional<Problem> problem;
    std::optional<double> targetTemperature;
    try {
        Posed posed = pose(wanted);
        const double tI = posed.temperatures.values[0], tInf = posed.temperatures.values[1];
        if (wanted.target)
            targetTemperature = posed.temperatures.values[2];
        const std::string_view scale = posed.temperatures.scale.unit;
        const bool forH = solvesForH(wanted.solveFor), forTime = solvesForTime(wanted.solveFor);
        if (!forTime && !wanted.t)
            throw InputError(Input::T, "a time is needed");
        if (wanted.solveFor != SolveFor::Temperature && !targetTemperature)
            throw InputError(Input::Target, "a target temperature is needed to solve");

        problem.emplace(posed.wall, forH ? 0.0 : wanted.h.value, tI, tInf, scale);
        const double xStar = problem->xStar(wanted.x.value);
        const std::optional<double> givenFo
            = wanted.t ? std::optional(problem->fourier(wanted.t->value)) : std::nullopt;
        std::optional<Target> target;
        if (wanted.solveFor != SolveFor::Temperature)
            target = problem->target(*targetTemperature);

        double fo = givenFo.value_or(0);
        double solvedTime = 0;
        std::optional<Solved> solved;
        const Where where{targetOnMean(wanted.solveFor), xStar};
        if (forTime) {
            solved = solveFourier(problem->solution(), where, *target);
            fo = solved->value;
            solvedTime = problem->time(fo);
            if (!std::isfinite(solvedTime))
                throw InputError(Input::Target,
                                 "is reached only after a time beyond the range of numbers");
        } else if (forH) {
            solved = solveBiot(fo, where, *target);
            const double h = problem->heatTransferCoefficient(solved->value);
            if (!std::isfinite(h))
                throw InputError(Input::Target, "needs an h beyond the range of numbers");
            problem.emplace(posed.wall, h, tI, tInf, scale);
        }
        StudyResults r = results(wanted, *problem, xStar, fo, solved, solvedTime, target);
        const ChartFrame frame = frameOf(wanted, *problem, r, target);
        study.charts = allCharts(problem->solution(), frame);
        if (wanted.readings) {
            const FitPosed fitPosed{.wall = posed.wall,
                                    .tI = tI,
                                    .tInf = tInf,
                                    .scale = scale,
                                    .mean = targetOnMean(wanted.solveFor),
                                    .x = wanted.x.value,
                                    .hUnit = wanted.h.unit};
            study.fit = fitOnHistory(*wanted.readings, fitPosed, frame,
                                     (*study.charts)[static_cast<std::size_t>(ChartKind::History)]);
        }
        study.results = std::move(r);
    } catch (const InputError &e) {
        study.messages.push_back({e.input(), e.what()});
    } catch (const UnreachableTarget &e) {
        study.messages.push_back(
            {Input::Target, unreachableMessage(e, *problem, *targetTemperature)});
    }
    return study;
}

std::string resultsText(const StudyResults &results)
{
    std::string text = "\texact\tone-term\terror\tlumped\terror\n";
    for (const ResultLine &l : results.lines) {
        text += l.name + "\t" + l.exact + "\t" + l.oneTerm + "\t" + l.oneTermError + "\t" + l.lumped
            + "\t" + l.lumpedError + "\n";
    }
    return text;
}

double checkedBiotNumber(double h, double L, double k)
{
    const Wall wall = makeWall(L, k, 1.0, std::nullopt, std::nullopt);
    const Problem problem(wall, h, 1, 0);
    if (!std::isfinite(problem.bi()))
        throw InputError(Input::H, "gives a Biot number beyond the range of numbers");
    return problem.bi();
}

Charts dimensionlessCharts(double bi, double fo, double xStar)
{
    ChartFrame frame;
    frame.bi = bi;
    frame.fo = fo;
    frame.xStar = xStar;
    return allCharts(WallSolution(bi), frame);
}

bool fieldInUse(const ExplorerFields &fields, Input input)
{
    switch (input) {
    case Input::Alpha:
        return fields.byDiffusivity;
    case Input::Rho:
    case Input::Cp:
        return !fields.byDiffusivity;
    case Input::H:
        return !solvesForH(fields.solveFor);
    case Input::Target:
        return fields.solveFor != SolveFor::Temperature;
    default:
        return true;
    }
}

Study studyFromFields(const ExplorerFields &fields, const Readings *readings)
{
    Study study;
    std::array<std::optional<Given>, kInputCount> given;
    for (int i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        const FieldEntry &entry = fields[input];
        if (!fieldInUse(fields, input))
            continue;
        const bool blank = entry.text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
        if (input == Input::T && solvesForTime(fields.solveFor) && blank)
            continue; // no time beside the solved one
        const Quantity quantity = quantityOf(input);
        try {
            const std::string_view unit = unitOf(quantity, entry.unit).symbol;
            given[static_cast<std::size_t>(i)] = Given{readField(entry.text, quantity, unit), unit};
        } catch (const QuantityError &e) {
            study.messages.push_back({input, e.what()});
        }
    }
    if (!study.messages.empty())
        return study;
    const auto at = [&](Input input) { return given[static_cast<std::size_t>(input)]; };
    StudyInputs wanted{
        .L = *at(Input::L),
        .k = *at(Input::K),
        .alpha = at(Input::Alpha),
        .rho = at(Input::Rho),
        .cp = at(Input::Cp),
        .h = at(Input::H).value_or(
            Given{0, unitOf(Quantity::HeatTransferCoefficient, fields[Input::H].unit).symbol}),
        .tI = *at(Input::TI),
        .tInf = *at(Input::TInf),
        .t = at(Input::T),
        .timeUnit = unitOf(Quantity::Time, fields[Input::T].unit).symbol,
        .x = *at(Input::X),
        .target = at(Input::Target),
        .solveFor = fields.solveFor,
        .readings = readings};
    return runStudy(wanted);
}

} // namespace planewall
