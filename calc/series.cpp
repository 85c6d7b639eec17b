// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "series.h"

#include "eigenvalue_search.h"

#include <cmath>
#include <numbers>

namespace planewall {

namespace {

constexpr double pi = std::numbers::pi;

// Close enough to root n for Newton to converge in a few steps. For n >= 2 the root is
// (n - 1)π + w with w = atan(Bi / ζn), a contraction in w; for n = 1 the small- and large-Bi
// forms ζ1² ≈ Bi / (1 + Bi/3) and ζ1 ≈ (π/2)·Bi / (1 + Bi).
double preciseStart(double bi, int n)
{
    if (bi < 0) {
        // Root n lies in ((n - 1/2)π, nπ): ζ = nπ - w with tan w = -Bi / ζ, a contraction in w.
        const double top = n * pi;
        double w = std::atan(-bi / (top - pi / 4));
        w = std::atan(-bi / (top - w));
        return top - w;
    }
    if (n == 1)
        return bi <= 1 ? std::sqrt(bi / (1 + bi / 3)) : pi / 2 * (bi / (1 + bi));
    const double base = (n - 1) * pi;
    double w = std::atan(bi / (base + pi / 4));
    w = std::atan(bi / (base + w));
    return base + w;
}

} // namespace

double preciseRoot(double bi, int n)
{
    if (bi == 0)
        return (n - 1) * pi; // ζ1 = 0 is a double root, where Newton would only crawl
    RootSearch search(bi, n, preciseStart(bi, n), 1e-14, SearchLimits{}, StopRule::Step);
    while (search.step()) { }
    return search.value();
}

SeriesTerm seriesTerm(double bi, int n)
{
    const double sign = n % 2 == 1 ? 1.0 : -1.0;
    if (bi == 0) {
        const double zeta = (n - 1) * pi;
        return {zeta, n == 1 ? 1.0 : 0.0, 0.0, sign, n == 1 ? 1.0 : 0.0};
    }
    if (std::isinf(bi)) {
        const double zeta = (n - 0.5) * pi;
        return {zeta, 2 * sign / zeta, sign, 0.0, sign / zeta};
    }
    const double zeta = preciseRoot(bi, n);
    // With w = ζ - (n - 1)π, tan w = Bi / ζ gives sin ζ = ±Bi / r and cos ζ = ±ζ / r, r the
    // hypotenuse: exact to the last digit where sin ζ itself would lose the digits of a small w.
    const double r = std::hypot(zeta, bi);
    const double sinZeta = sign * (bi / r);
    const double cosZeta = sign * (zeta / r);
    const double sin2Zeta = 2 * (bi / r) * (zeta / r);
    return {zeta, 4 * sinZeta / (2 * zeta + sin2Zeta), sinZeta, cosZeta, sinZeta / zeta};
}

} // namespace planewall
