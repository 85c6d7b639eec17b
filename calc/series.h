// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

namespace planewall {

// The terms of the plane wall's exact solution as a series, for 0 <= Bi <= +inf:
//   θ*(x*, Fo) = Σ Cn exp(-ζn² Fo) cos(ζn x*)
//   Q/Q0(Fo)   = 1 - Σ Cn (sin ζn / ζn) exp(-ζn² Fo)
//   Cn         = 4 sin ζn / (2ζn + sin 2ζn)
// with ζn the n-th root of ζ tan ζ = Bi.

// The most roots the command line lists.
inline constexpr int kMaxRootCount = 10'000;

// Root n >= 1 of ζ tan ζ = Bi for any finite Bi, to within an ulp or two: the root search
// stopped on the size of its Newton step rather than on the residual. Root n is the one in the
// calculator's interval: [(n - 1)π, (n - 1/2)π) for Bi >= 0, ((n - 1/2)π, nπ) for Bi < 0. Bi = 0
// gives (n - 1)π exactly.
double preciseRoot(double bi, int n);

struct SeriesTerm
{
    double zeta; // ζn
    double c; // Cn
    // sin ζn and cos ζn to full relative precision, which sin and cos of the rounded ζn are not
    // where ζn lies within an ulp or so of a multiple of π/2 (very small or very large Bi).
    double sinZeta;
    double cosZeta;
    double sinOverZeta; // sin ζn / ζn, which tends to 1 as ζn tends to 0
};
// Term n of the series for 0 <= Bi <= +inf. The limits apply at the ends: at Bi = 0, C1 = 1 and
// Cn = 0 for n >= 2; at Bi = +inf, ζn = (n - 1/2)π and cos ζn = 0.
SeriesTerm seriesTerm(double bi, int n);

} // namespace planewall
