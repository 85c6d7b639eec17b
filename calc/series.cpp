#include "series.h"

#include "eigenvalue_search.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

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

// What the terms from N + 1 on can add at most: for m >= 2, |Cm| <= 4 / (2ζm - 1) and
// ζm >= (m - 1)π, so the tail is below a(N + 1) plus the integral of a(t) from N + 1 on, where
// a(t) = 4 / (2(t - 1)π - 1) · exp(-((t - 1)π)² Fo) decreases.
double tailBound(int terms, double fo)
{
    const double first = terms * pi; // (t - 1)π at t = N + 1
    const double factor = 4 / (2 * first - 1);
    const double next = factor * std::exp(-first * first * fo);
    const double rest = factor / (2 * pi) * std::sqrt(pi / fo) * std::erfc(first * std::sqrt(fo));
    return next + rest;
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
    if (bi == 0)
        return {(n - 1) * pi, n == 1 ? 1.0 : 0.0, 1.0};
    const double zeta = preciseRoot(bi, n);
    // With w = ζ - (n - 1)π, tan w = Bi / ζ gives sin ζ = ±Bi / r and cos ζ = ±ζ / r, r the
    // hypotenuse: exact to the last digit where sin ζ itself would lose the digits of a small w.
    const double r = std::hypot(zeta, bi);
    const double sign = n % 2 == 1 ? 1.0 : -1.0;
    const double sinZeta = sign * (bi / r);
    const double sin2Zeta = 2 * (bi / r) * (zeta / r);
    return {zeta, 4 * sinZeta / (2 * zeta + sin2Zeta), sinZeta / zeta};
}

SeriesSolution::SeriesSolution(double bi) : m_bi(bi)
{
    if (!(bi >= 0) || std::isinf(bi))
        throw std::domain_error("the series needs a finite Bi >= 0");
}

const SeriesTerm &SeriesSolution::term(int n)
{
    while (static_cast<int>(m_terms.size()) < n)
        m_terms.push_back(seriesTerm(m_bi, static_cast<int>(m_terms.size()) + 1));
    return m_terms[n - 1];
}

SeriesSolution::Truncation SeriesSolution::truncation(double fo) const
{
    if (m_bi == 0)
        return {1, 0.0}; // every term after the first is 0
    if (tailBound(kMaxSeriesTerms, fo) > kSeriesAccuracy)
        return {kMaxSeriesTerms, tailBound(kMaxSeriesTerms, fo)};
    // The bound falls as terms are added: find the fewest that meet the accuracy.
    int low = 0, high = kMaxSeriesTerms;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (tailBound(middle, fo) <= kSeriesAccuracy ? high : low) = middle;
    }
    return {high, tailBound(high, fo)};
}

template<typename TermValue>
SeriesValue SeriesSolution::sum(double fo, double initial, TermValue termValue)
{
    const SeriesTerm &first = term(1);
    const double oneTerm = termValue(first) * std::exp(-first.zeta * first.zeta * fo);
    // At Fo = 0 the series converges to the initial state only slowly, if at all.
    if (fo == 0)
        return {initial, oneTerm, 0, 0.0};

    const Truncation t = truncation(fo);
    // Adding the smallest terms first keeps their digits.
    double total = 0;
    for (int n = t.terms; n >= 1; --n) {
        const SeriesTerm &s = term(n);
        total += termValue(s) * std::exp(-s.zeta * s.zeta * fo);
    }
    return {total, oneTerm, t.terms, t.omitted};
}

SeriesValue SeriesSolution::temperature(double x, double fo)
{
    if (!(x >= 0 && x <= 1) || !(fo >= 0) || std::isinf(fo))
        throw std::domain_error("θ* needs x* in [0, 1] and a finite Fo >= 0");
    return sum(fo, 1.0, [x](const SeriesTerm &s) { return s.c * std::cos(s.zeta * x); });
}

SeriesValue SeriesSolution::energyRatio(double fo)
{
    if (!(fo >= 0) || std::isinf(fo))
        throw std::domain_error("Q/Q0 needs a finite Fo >= 0");
    SeriesValue v = sum(fo, 0.0, [](const SeriesTerm &s) { return s.c * s.sinOverZeta; });
    if (fo > 0)
        v.series = 1 - v.series;
    v.oneTerm = 1 - v.oneTerm;
    return v;
}

} // namespace planewall
