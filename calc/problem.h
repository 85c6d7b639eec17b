// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "exact_solution.h"
#include "solve.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace planewall {

// A wall in real units: half-thickness L, conductivity k, and either its diffusivity α or its
// density ρ and specific heat c_p (of which α = k/(ρc_p) follows). Only with ρc_p is the energy
// Q known in joules.
struct Wall
{
    double L = 0; // m
    double k = 0; // W/mK
    double alpha = 0; // m²/s
    std::optional<double> rhoCp; // J/m³K
};

// The inputs of a problem, each named so that a message can point at the one it is about.
enum class Input { L, K, Alpha, Rho, Cp, H, TI, TInf, T, X, Target };

// A value outside what the problem allows: "must be > 0", "must lie in [0, L]". what() has no
// name of the input; a front end adds its own (an option, a field's label).
class InputError : public std::invalid_argument
{
public:
    InputError(Input input, const std::string &message)
        : std::invalid_argument(message), m_input(input)
    { }
    Input input() const noexcept { return m_input; }

private:
    Input m_input;
};

// The wall from L, k and either α or ρ with c_p (exactly one of the two ways, which the front
// end sees to); every value finite and > 0, else InputError.
Wall makeWall(double L, double k, std::optional<double> alpha, std::optional<double> rho,
              std::optional<double> cp);

// A plane wall of half-thickness L, at Ti throughout at t = 0, whose faces meet a fluid at T∞
// through h. Temperatures are all in one scale (`unit`: "C", "K", "F", or "" for a scale
// without a name, whose degree is taken to be a kelvin's size); lengths, times and the rest SI.
class Problem
{
public:
    // h finite and >= 0, temperatures finite; InputError otherwise. Ti = T∞ is allowed: nothing
    // then ever changes.
    Problem(Wall wall, double h, double tI, double tInf, std::string_view unit = "");

    const Wall &wall() const { return m_wall; }
    double h() const { return m_h; }
    double tI() const { return m_tI; }
    double tInf() const { return m_tInf; }
    std::string_view unit() const { return m_unit; }
    double bi() const { return m_bi; } // hL/k
    const WallSolution &solution() const { return m_solution; }

    double fourier(double t) const; // αt/L²; t finite and >= 0, else InputError
    double time(double fo) const; // the inverse: L²Fo/α
    // x/L for 0 <= x <= L; a distance within 4 ulps of L counts as L, so that a unit
    // conversion ("13mm" against L = 13 mm) cannot make the face fall outside the wall.
    double xStar(double x) const;
    double temperature(double theta) const; // T∞ + θ*(Ti - T∞)
    // The target T as θ* and as 1 - θ*, each from the temperatures directly. T beyond the
    // range of the scale (below absolute zero) is the caller's to refuse.
    Target target(double temperature) const;
    // Ti - T∞ in kelvin, for the energy and the flux.
    double drivingDifference() const;
    // Q0 = ρc_p·L·(Ti - T∞) per unit area of one face, J/m²; nullopt without ρc_p.
    std::optional<double> initialEnergy() const;
    // The heat transfer coefficient for a Biot number: Bi·k/L.
    double heatTransferCoefficient(double bi) const;

private:
    Wall m_wall;
    double m_h;
    double m_tI;
    double m_tInf;
    std::string m_unit;
    double m_bi;
    WallSolution m_solution;
};

// What the wall shows at one point and time, exactly and by the one-term approximation.
struct PointResult
{
    double x, xStar, t, fo;
    double theta, temperature;
    double thetaOneTerm, errorOneTerm; // one-term θ*, and it less the exact θ*
    Form form;
};

// What the wall as a whole shows at one time.
struct EnergyResult
{
    double t, fo;
    double meanTheta, meanTemperature;
    double energyRatio; // Q/Q0
    std::optional<double> energy; // Q, J/m², when ρc_p is known
    double fluxStar; // q* = -∂θ*/∂x* at the face
    double flux; // q_s = q*·k(Ti - T∞)/L, W/m², into the fluid
    double thetaLumped, errorLumped; // exp(-Bi·Fo), and it less the exact mean θ*
    double energyRatioOneTerm, errorOneTermEnergy;
};

PointResult pointResult(const Problem &problem, double x, double t);
EnergyResult energyResult(const Problem &problem, double t);

// The same for a dimensionless wall: x* for x and Fo for t; the temperatures are θ* themselves
// (Ti = 1, T∞ = 0) and the energy and flux dimensionless (Q/Q0 and q*).
PointResult pointResult(const WallSolution &wall, double xStar, double fo);
EnergyResult energyResult(const WallSolution &wall, double fo);

// A temperature for a message: "550 °C", "300 K", "550" in the unnamed scale.
std::string formatTemperature(double value, std::string_view unit);

// Why a solve cannot reach its target, in the problem's terms:
// "550 °C is never reached: the wall tends to T∞ = 500 °C".
std::string unreachableMessage(const UnreachableTarget &error, const Problem &problem,
                               double targetTemperature);

} // namespace planewall
