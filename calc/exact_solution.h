// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "series.h"

#include <span>
#include <vector>

namespace planewall {

// Which form of the exact solution gave a value.
enum class Form {
    Series, // the sum over the roots ζn, for Fo at or above kSemiInfiniteBelowFo
    SemiInfinite, // each face as the face of a semi-infinite solid with convection, below it
};

// Below this Fo each face is treated as that of a semi-infinite solid. The two faces' terms (and
// the far face's reflection in the near one) then leave out at most about erfc(1/√Fo), 4e-19
// here, while the series at this Fo needs 14 terms for 3e-20; either form alone is good to
// about 1e-16 on both sides of the switch.
inline constexpr double kSemiInfiniteBelowFo = 0.025;

// The plane wall of half-thickness L, insulated at its mid-plane x* = 0 (or cooled alike on both
// faces), initially at a uniform temperature, whose face x* = 1 meets a fluid through the Biot
// number Bi = hL/k, 0 <= Bi <= +inf. θ* = (T - T∞)/(Ti - T∞), Fo = αt/L², x* = x/L.
//
// Everything is exact to about 1e-15 absolute for every x* in [0, 1] and Fo in [0, +inf], and to
// about 1e-13 relative where Fo >= 0.2 (where the first term dominates) down to the smallest
// normal doubles. Fo = 0 is the initial state.
//
// Immutable once made, so one solution can serve several threads.
class WallSolution
{
public:
    // Bi must be >= 0 (+inf allowed); std::domain_error otherwise, NaN included.
    explicit WallSolution(double bi);

    double bi() const { return m_bi; }
    static Form formAt(double fo)
    {
        return fo < kSemiInfiniteBelowFo ? Form::SemiInfinite : Form::Series;
    }

    // All of these need x* in [0, 1] and Fo >= 0 (std::domain_error otherwise, NaN included).
    double theta(double x, double fo) const; // θ*(x*, Fo)
    // 1 - θ*, to full relative precision where it is tiny: near the start, away from the face.
    double deficit(double x, double fo) const;
    // ln θ*, finite where θ* itself underflows: long after the start.
    double logTheta(double x, double fo) const;
    double energyRatio(double fo) const; // Q/Q0, the share of the initial energy given up
    double meanTheta(double fo) const; // θ̄*, the mean over the wall: 1 - Q/Q0
    double logMeanTheta(double fo) const; // ln θ̄*, finite where θ̄* underflows
    // The heat flux into the fluid, q* = -∂θ*/∂x* at x* = 1 = Bi·θ*(1, Fo), in units of
    // k(Ti - T∞)/L; +inf at Fo = 0 when Bi is.
    double surfaceFlux(double fo) const;

    // The first term of the series alone, the textbooks' one-term approximation.
    double oneTermTheta(double x, double fo) const;
    double oneTermEnergyRatio(double fo) const;
    // The lumped-capacitance θ* = exp(-Bi·Fo), to set against θ̄*.
    double lumpedTheta(double fo) const;

    // θ* at many points at one Fo, and at one point over many Fo, into `out` (same length):
    // the same values as theta(), with what the points share computed once.
    void thetaProfile(std::span<const double> xs, double fo, std::span<double> out) const;
    void thetaHistory(double x, std::span<const double> fos, std::span<double> out) const;

private:
    // Σ Cn cos(ζn x*) exp(-(ζn² - ζ1²) Fo) over the terms that count at Fo: θ* = this times
    // exp(-ζ1² Fo), kept apart so that neither underflows before θ* does.
    double scaledSeries(double x, double fo) const;
    int termsAt(double fo) const;
    double cosineAt(const SeriesTerm &term, double x) const;
    // 1 - θ* and θ* in the semi-infinite form: the two faces' terms.
    double faceDeficit(double x, double fo) const;
    double semiInfiniteTheta(double x, double fo) const;
    double semiInfiniteEnergy(double fo) const;

    double m_bi;
    std::vector<SeriesTerm> m_terms; // enough for every Fo >= kSemiInfiniteBelowFo
};

} // namespace planewall
