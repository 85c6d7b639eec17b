// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "exact_solution.h"

#include <cerf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace planewall {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A term whose exponent lies this far below the first term's adds less than exp(-45), 3e-20,
// of the first term's size, with |Cn| below 1.28 and the terms after it smaller still.
constexpr double kTermExponentSpan = 45;

// exp(-rate·Fo), with a zero rate (ζ1 at Bi = 0, or the first term against itself) decaying
// not at all even at Fo = +inf.
double decay(double rate, double fo)
{
    return rate == 0 ? 1.0 : std::exp(-rate * fo);
}

void requirePoint(double x, double fo)
{
    if (!(x >= 0 && x <= 1) || !(fo >= 0))
        throw std::domain_error("the solution needs x* in [0, 1] and Fo >= 0");
}

void requireTime(double fo)
{
    if (!(fo >= 0))
        throw std::domain_error("the solution needs Fo >= 0");
}

// erfcx(x) = exp(x²) erfc(x), with its limit 0 at +inf.
double scaledErfc(double x)
{
    return std::isinf(x) ? 0.0 : erfcx(x);
}

// 1 - erfcx(β), which cancels to 2β/√π for small β: there it is summed as its Taylor series,
// Σ (-1)^(n+1) β^n / Γ(n/2 + 1), n >= 1.
double oneMinusErfcx(double beta)
{
    if (beta >= 0.5)
        return 1 - scaledErfc(beta);
    // Γ(n/2 + 1) for odd and even n by Γ(a + 1) = aΓ(a): Γ(3/2) = √π/2, Γ(2) = 1.
    std::array<double, 2> gamma = {1.0, 0.5 * std::sqrt(std::numbers::pi)};
    double sum = 0;
    double power = beta;
    // (1/2)^n / Γ(n/2 + 1) is below 1e-20 of the first term from n = 30 on.
    for (int n = 1; n < 32; ++n) {
        sum += power / gamma[n % 2];
        gamma[n % 2] *= n / 2.0 + 1;
        power *= -beta;
    }
    return sum;
}

// One face's share of 1 - θ* in a semi-infinite solid at distance s (in units of L) from the
// face: erfc(ξ) - exp(2ξβ + β²)·erfc(ξ + β), ξ = s/(2√Fo), β = Bi√Fo, the second product
// written as exp(-ξ²)·erfcx(ξ + β) so that neither factor overflows.
double faceTerm(double s, double rootFo, double beta)
{
    if (s == 0)
        return oneMinusErfcx(beta); // at the face itself, to full relative precision
    const double xi = s / (2 * rootFo);
    return std::erfc(xi) - std::exp(-xi * xi) * scaledErfc(xi + beta);
}

// θ* of that solid, 1 - faceTerm() written as a sum of two positive parts, so that it keeps its
// digits where it is tiny (the face at large Bi).
double faceTheta(double s, double rootFo, double beta)
{
    const double xi = s / (2 * rootFo);
    return std::erf(xi) + std::exp(-xi * xi) * scaledErfc(xi + beta);
}

// The energy a semi-infinite solid has given up through its face, in units of ρc_p·L·(Ti - T∞):
// [erfcx(β) - 1 + 2β/√π] / Bi. The bracket cancels to β² for small β, so there it is summed as
// its Taylor series, Bi·Fo·Σ (-β)^m / Γ(m/2 + 2).
double semiInfiniteEnergyOf(double bi, double fo)
{
    const double rootFo = std::sqrt(fo);
    if (std::isinf(bi))
        return 2 * rootFo / std::sqrt(std::numbers::pi);
    const double beta = bi * rootFo;
    if (beta >= 0.5)
        return 2 * rootFo / std::sqrt(std::numbers::pi) - (1 - scaledErfc(beta)) / bi;
    // Γ(m/2 + 2) for even and odd m by Γ(a + 1) = aΓ(a): Γ(2) = 1, Γ(5/2) = 3√π/4.
    std::array<double, 2> gamma = {1.0, 0.75 * std::sqrt(std::numbers::pi)};
    double sum = 0;
    double power = 1;
    // (1/2)^m / Γ(m/2 + 2) is below 1e-20 of the first term from m = 30 on.
    for (int m = 0; m < 32; ++m) {
        sum += power / gamma[m % 2];
        gamma[m % 2] *= m / 2.0 + 2;
        power *= -beta;
    }
    return bi * fo * sum;
}

} // namespace

WallSolution::WallSolution(double bi) : m_bi(bi)
{
    if (!(bi >= 0))
        throw std::domain_error("the solution needs Bi >= 0");
    // Every term that can count at the smallest Fo the series is used for.
    const double span = kTermExponentSpan / kSemiInfiniteBelowFo;
    m_terms.push_back(seriesTerm(bi, 1));
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    for (int n = 2;; ++n) {
        m_terms.push_back(seriesTerm(bi, n));
        const double zeta = m_terms.back().zeta;
        if (zeta * zeta - first > span)
            break;
    }
}

int WallSolution::termsAt(double fo) const
{
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    int n = 1;
    while (n < static_cast<int>(m_terms.size())
           && (m_terms[n].zeta * m_terms[n].zeta - first) * fo <= kTermExponentSpan)
        ++n;
    return n;
}

double WallSolution::cosineAt(const SeriesTerm &term, double x) const
{
    if (x < 0.5)
        return std::cos(term.zeta * x);
    // Near the face cos(ζn x*) can be far smaller than the rounding of ζn·x* (large Bi makes
    // cos ζn tiny), so it is expanded around the face with the exact sin ζn and cos ζn;
    // s = 1 - x* is exact here.
    const double s = 1 - x;
    return term.cosZeta * std::cos(term.zeta * s) + term.sinZeta * std::sin(term.zeta * s);
}

double WallSolution::scaledSeries(double x, double fo) const
{
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    double sum = 0;
    // The smallest terms first, so that their digits are not lost to the largest.
    for (int n = termsAt(fo); n-- > 0;) {
        const SeriesTerm &t = m_terms[n];
        sum += t.c * cosineAt(t, x) * decay(t.zeta * t.zeta - first, fo);
    }
    return sum;
}

double WallSolution::faceDeficit(double x, double fo) const
{
    if (m_bi == 0)
        return 0; // no heat crosses the face
    const double rootFo = std::sqrt(fo);
    const double beta = m_bi * rootFo;
    return faceTerm(1 - x, rootFo, beta) + faceTerm(1 + x, rootFo, beta)
        - faceTerm(3 - x, rootFo, beta);
}

double WallSolution::semiInfiniteTheta(double x, double fo) const
{
    if (m_bi == 0)
        return 1;
    const double rootFo = std::sqrt(fo);
    const double beta = m_bi * rootFo;
    // The far face's term, less its reflection in the near face (at 3 - x*, exactly as far
    // beyond the near face as the far face is): without the reflection, the far face's term,
    // up to erfc(1/√Fo), would swamp θ* at the face itself for large Bi, where the reflection
    // cancels it exactly as it does in the solution for Bi = +inf.
    const double far = faceTerm(1 + x, rootFo, beta) - faceTerm(3 - x, rootFo, beta);
    return std::max(0.0, faceTheta(1 - x, rootFo, beta) - far);
}

double WallSolution::theta(double x, double fo) const
{
    requirePoint(x, fo);
    if (fo == 0)
        return 1;
    if (formAt(fo) == Form::SemiInfinite)
        return semiInfiniteTheta(x, fo);
    const double first = m_terms.front().zeta;
    return scaledSeries(x, fo) * decay(first * first, fo);
}

double WallSolution::deficit(double x, double fo) const
{
    requirePoint(x, fo);
    if (fo == 0)
        return 0;
    if (formAt(fo) == Form::SemiInfinite)
        return faceDeficit(x, fo);
    return 1 - theta(x, fo);
}

double WallSolution::logTheta(double x, double fo) const
{
    requirePoint(x, fo);
    if (fo == 0)
        return 0;
    if (formAt(fo) == Form::SemiInfinite) {
        // Near the start θ* is close to 1 and its deficit holds the digits.
        const double d = faceDeficit(x, fo);
        return d < 0.5 ? std::log1p(-d) : std::log(semiInfiniteTheta(x, fo));
    }
    const double first = m_terms.front().zeta;
    return std::log(scaledSeries(x, fo)) - (first == 0 ? 0 : first * first * fo);
}

double WallSolution::semiInfiniteEnergy(double fo) const
{
    return semiInfiniteEnergyOf(m_bi, fo);
}

double WallSolution::logMeanTheta(double fo) const
{
    requireTime(fo);
    if (fo == 0)
        return 0;
    if (formAt(fo) == Form::SemiInfinite)
        return std::log1p(-semiInfiniteEnergy(fo));
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    double sum = 0;
    for (int n = termsAt(fo); n-- > 0;) {
        const SeriesTerm &t = m_terms[n];
        sum += t.c * t.sinOverZeta * decay(t.zeta * t.zeta - first, fo);
    }
    return std::log(sum) - (first == 0 ? 0 : first * fo);
}

double WallSolution::meanTheta(double fo) const
{
    requireTime(fo);
    if (formAt(fo) == Form::SemiInfinite)
        return fo == 0 ? 1 : 1 - semiInfiniteEnergy(fo);
    return std::exp(logMeanTheta(fo));
}

double WallSolution::energyRatio(double fo) const
{
    requireTime(fo);
    if (fo == 0)
        return 0;
    if (formAt(fo) == Form::SemiInfinite)
        return semiInfiniteEnergy(fo);
    return 1 - meanTheta(fo);
}

double WallSolution::surfaceFlux(double fo) const
{
    requireTime(fo);
    if (formAt(fo) == Form::SemiInfinite) {
        // Bi·θ* at the face of a semi-infinite solid, Bi·erfcx(Bi√Fo); the other face's share
        // is below exp(-1/Fo) of it. Bi → +inf leaves 1/√(πFo).
        if (std::isinf(m_bi))
            return fo == 0 ? kInfinity : 1 / std::sqrt(std::numbers::pi * fo);
        return fo == 0 ? m_bi : m_bi * scaledErfc(m_bi * std::sqrt(fo));
    }
    // Σ Cn ζn sin ζn exp(-ζn² Fo): every term is positive, unlike Bi·θ*(1), whose factors are
    // huge and tiny at large Bi.
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    double sum = 0;
    for (int n = termsAt(fo); n-- > 0;) {
        const SeriesTerm &t = m_terms[n];
        sum += t.c * t.zeta * t.sinZeta * decay(t.zeta * t.zeta - first, fo);
    }
    return sum * decay(first, fo);
}

double WallSolution::oneTermTheta(double x, double fo) const
{
    requirePoint(x, fo);
    const SeriesTerm &t = m_terms.front();
    return t.c * cosineAt(t, x) * decay(t.zeta * t.zeta, fo);
}

double WallSolution::oneTermEnergyRatio(double fo) const
{
    requireTime(fo);
    const SeriesTerm &t = m_terms.front();
    return 1 - t.c * t.sinOverZeta * decay(t.zeta * t.zeta, fo);
}

double WallSolution::lumpedTheta(double fo) const
{
    requireTime(fo);
    // Bi = 0 never cools, whatever the time: 0·inf is no exchange at all.
    return m_bi == 0 ? 1 : std::exp(-m_bi * fo);
}

void WallSolution::thetaProfile(std::span<const double> xs, double fo, std::span<double> out) const
{
    if (xs.size() != out.size())
        throw std::invalid_argument("thetaProfile: as many results as points");
    for (const double x : xs)
        requirePoint(x, fo);
    if (fo == 0 || formAt(fo) == Form::SemiInfinite) {
        for (std::size_t i = 0; i < xs.size(); ++i)
            out[i] = fo == 0 ? 1 : semiInfiniteTheta(xs[i], fo);
        return;
    }
    // The weights Cn·exp(-(ζn² - ζ1²)Fo) are the same at every point.
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    const int terms = termsAt(fo);
    std::vector<double> weights(static_cast<std::size_t>(terms));
    for (int n = 0; n < terms; ++n) {
        const SeriesTerm &t = m_terms[n];
        weights[n] = t.c * decay(t.zeta * t.zeta - first, fo);
    }
    const double scale = decay(first, fo);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        double sum = 0;
        for (int n = terms; n-- > 0;)
            sum += weights[n] * cosineAt(m_terms[n], xs[i]);
        out[i] = sum * scale;
    }
}

void WallSolution::thetaHistory(double x, std::span<const double> fos, std::span<double> out) const
{
    if (fos.size() != out.size())
        throw std::invalid_argument("thetaHistory: as many results as times");
    for (const double fo : fos)
        requirePoint(x, fo);
    // The cosines Cn·cos(ζn x*) are the same at every time.
    std::vector<double> cosines(m_terms.size());
    for (std::size_t n = 0; n < m_terms.size(); ++n)
        cosines[n] = m_terms[n].c * cosineAt(m_terms[n], x);
    const double first = m_terms.front().zeta * m_terms.front().zeta;
    for (std::size_t i = 0; i < fos.size(); ++i) {
        const double fo = fos[i];
        if (fo == 0 || formAt(fo) == Form::SemiInfinite) {
            out[i] = fo == 0 ? 1 : semiInfiniteTheta(x, fo);
            continue;
        }
        double sum = 0;
        for (int n = termsAt(fo); n-- > 0;) {
            const double z = m_terms[n].zeta;
            sum += cosines[n] * decay(z * z - first, fo);
        }
        out[i] = sum * decay(first, fo);
    }
}

} // namespace planewall
