// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "problem.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace planewall {

namespace {

double positive(Input input, double value)
{
    if (!(value > 0) || std::isinf(value))
        throw InputError(input, "must be a finite number > 0");
    return value;
}

double nonNegative(Input input, double value)
{
    if (!(value >= 0) || std::isinf(value))
        throw InputError(input, "must be a finite number >= 0");
    return value;
}

double finite(Input input, double value)
{
    if (!std::isfinite(value))
        throw InputError(input, "must be a finite number");
    return value;
}

// The size of the scale's degree in kelvin: 5/9 for Fahrenheit, 1 for the others.
double degreeInKelvin(std::string_view unit)
{
    return unit == "F" ? 5.0 / 9.0 : 1.0;
}

} // namespace

Wall makeWall(double L, double k, std::optional<double> alpha, std::optional<double> rho,
              std::optional<double> cp)
{
    Wall wall;
    wall.L = positive(Input::L, L);
    wall.k = positive(Input::K, k);
    if (alpha) {
        wall.alpha = positive(Input::Alpha, *alpha);
        return wall;
    }
    if (!rho || !cp)
        throw InputError(rho ? Input::Cp : Input::Rho, "is needed, or α instead");
    wall.rhoCp = positive(Input::Rho, *rho) * positive(Input::Cp, *cp);
    wall.alpha = wall.k / *wall.rhoCp;
    if (!(wall.alpha > 0) || std::isinf(wall.alpha))
        throw InputError(Input::Rho, "gives a diffusivity k/(ρc_p) beyond the range of numbers");
    return wall;
}

Problem::Problem(Wall wall, double h, double tI, double tInf, std::string_view unit)
    : m_wall(std::move(wall)), m_h(nonNegative(Input::H, h)), m_tI(finite(Input::TI, tI)),
      m_tInf(finite(Input::TInf, tInf)), m_unit(unit), m_bi(m_h * m_wall.L / m_wall.k),
      m_solution(std::isnan(m_bi) ? 0.0 : m_bi)
{ }

double Problem::fourier(double t) const
{
    nonNegative(Input::T, t);
    return m_wall.alpha * t / (m_wall.L * m_wall.L);
}

double Problem::time(double fo) const
{
    return fo * (m_wall.L * m_wall.L) / m_wall.alpha;
}

double Problem::xStar(double x) const
{
    const double L = m_wall.L;
    // Four ulps of L either side: what converting "13mm" against "0.013" can differ by.
    const double slack = 4 * (std::nextafter(L, 2 * L) - L);
    if (x > L && x <= L + slack)
        return 1;
    if (!(x >= 0 && x <= L))
        throw InputError(Input::X, "must lie in [0, L], from the mid-plane to the face");
    return x == L ? 1 : x / L;
}

double Problem::temperature(double theta) const
{
    return m_tInf + theta * (m_tI - m_tInf);
}

Target Problem::target(double temperature) const
{
    if (!std::isfinite(temperature))
        throw InputError(Input::Target, "must be a finite number");
    if (m_tI == m_tInf)
        throw UnreachableTarget(Unreachable::NoDifference);
    const double difference = m_tI - m_tInf;
    return {(temperature - m_tInf) / difference, (m_tI - temperature) / difference};
}

double Problem::drivingDifference() const
{
    return (m_tI - m_tInf) * degreeInKelvin(m_unit);
}

std::optional<double> Problem::initialEnergy() const
{
    if (!m_wall.rhoCp)
        return std::nullopt;
    return *m_wall.rhoCp * m_wall.L * drivingDifference();
}

double Problem::heatTransferCoefficient(double bi) const
{
    return bi * m_wall.k / m_wall.L;
}

PointResult pointResult(const WallSolution &wall, double xStar, double fo)
{
    PointResult r;
    r.x = r.xStar = xStar;
    r.t = r.fo = fo;
    r.theta = r.temperature = wall.theta(xStar, fo);
    r.thetaOneTerm = wall.oneTermTheta(xStar, fo);
    r.errorOneTerm = r.thetaOneTerm - r.theta;
    r.form = fo == 0 ? Form::Series : WallSolution::formAt(fo);
    return r;
}

EnergyResult energyResult(const WallSolution &wall, double fo)
{
    EnergyResult r;
    r.t = r.fo = fo;
    r.meanTheta = r.meanTemperature = wall.meanTheta(fo);
    r.energyRatio = wall.energyRatio(fo);
    r.fluxStar = r.flux = wall.surfaceFlux(fo);
    r.thetaLumped = wall.lumpedTheta(fo);
    r.errorLumped = r.thetaLumped - r.meanTheta;
    r.energyRatioOneTerm = wall.oneTermEnergyRatio(fo);
    r.errorOneTermEnergy = r.energyRatioOneTerm - r.energyRatio;
    return r;
}

PointResult pointResult(const Problem &problem, double x, double t)
{
    PointResult r = pointResult(problem.solution(), problem.xStar(x), problem.fourier(t));
    r.x = x;
    r.t = t;
    r.temperature = problem.temperature(r.theta);
    return r;
}

EnergyResult energyResult(const Problem &problem, double t)
{
    EnergyResult r = energyResult(problem.solution(), problem.fourier(t));
    r.t = t;
    r.meanTemperature = problem.temperature(r.meanTheta);
    if (const auto q0 = problem.initialEnergy())
        r.energy = r.energyRatio * *q0;
    const Wall &wall = problem.wall();
    r.flux = r.fluxStar * wall.k * problem.drivingDifference() / wall.L;
    return r;
}

std::string formatTemperature(double value, std::string_view unit)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.6g", value == 0 ? 0.0 : value);
    std::string result(text);
    if (unit == "C" || unit == "F")
        result += std::string(" \u00B0") + std::string(unit);
    else if (!unit.empty())
        result += " " + std::string(unit);
    return result;
}

std::string unreachableMessage(const UnreachableTarget &error, const Problem &problem,
                               double targetTemperature)
{
    const std::string_view unit = problem.unit();
    const std::string target = formatTemperature(targetTemperature, unit);
    const std::string tI = "Ti = " + formatTemperature(problem.tI(), unit);
    const std::string tInf = "T\u221E = " + formatTemperature(problem.tInf(), unit);
    switch (error.reason()) {
    case Unreachable::NoDifference:
        return "the wall never changes: " + tI + " is the fluid's temperature too";
    case Unreachable::NoExchange:
        return target
            + " is never reached: with h = 0 no heat is exchanged and the wall stays "
              "at "
            + tI;
    case Unreachable::AtStart:
        return target + " is the initial temperature, " + tI
            + ": the wall leaves it at once and never comes back";
    case Unreachable::WrongSide:
        return target + " is never reached: the wall starts at " + tI + " and moves towards "
            + tInf;
    case Unreachable::NeverReached:
        return target + " is never reached: the wall tends to " + tInf;
    case Unreachable::NoTime:
        return "at t = 0 no time has passed for any h to act";
    case Unreachable::BeyondLimit:
        return target + " is not reached by then even as h \u2192 \u221E, which gives "
            + formatTemperature(problem.temperature(error.limit()), unit);
    case Unreachable::WithinLimitAccuracy:
        break;
    }
    return target + " is closer to what h \u2192 \u221E gives by then ("
        + formatTemperature(problem.temperature(error.limit()), unit)
        + ") than the solution can tell apart: h is not determined";
}

} // namespace planewall
