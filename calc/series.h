#pragma once

#include <vector>

namespace planewall {

// The exact solution of the plane wall for Bi >= 0, as its series:
//   θ*(x*, Fo) = Σ Cn exp(-ζn² Fo) cos(ζn x*)
//   Q/Q0(Fo)   = 1 - Σ Cn (sin ζn / ζn) exp(-ζn² Fo)
//   Cn         = 4 sin ζn / (2ζn + sin 2ζn)
// with ζn the n-th root of ζ tan ζ = Bi.

inline constexpr int kMaxSeriesTerms = 10'000;
// The absolute error the series aims for, where Fo allows it within kMaxSeriesTerms terms.
inline constexpr double kSeriesAccuracy = 1e-10;

// Root n >= 1 of ζ tan ζ = Bi for any finite Bi, to about 1e-14 relative: the root search
// stopped on the size of its Newton step rather than on the residual. Root n is the one in the
// calculator's interval: [(n - 1)π, (n - 1/2)π) for Bi >= 0, ((n - 1/2)π, nπ) for Bi < 0. Bi = 0
// gives (n - 1)π exactly.
double preciseRoot(double bi, int n);

struct SeriesTerm
{
    double zeta; // ζn
    double c; // Cn
    double sinOverZeta; // sin ζn / ζn, which tends to 1 as ζn tends to 0
};
// Term n of the series. At Bi = 0 the limits apply: C1 = 1, Cn = 0 for n >= 2.
SeriesTerm seriesTerm(double bi, int n);

struct SeriesValue
{
    double series; // the sum of the terms used
    double oneTerm; // the first term alone, the one-term approximation
    int terms; // terms used
    double omitted; // a bound on the absolute value of what the terms left out
};

// The series for one Bi, its terms computed once and kept for further x* and Fo.
class SeriesSolution
{
public:
    // Bi must be finite and >= 0; throws std::domain_error otherwise.
    explicit SeriesSolution(double bi);

    double bi() const { return m_bi; }
    const SeriesTerm &term(int n);

    // θ* at x* in [0, 1] and Fo >= 0, and Q/Q0 at Fo >= 0 (std::domain_error outside these).
    // Fo = 0 gives θ* = 1 and Q/Q0 = 0 exactly, the initial state.
    SeriesValue temperature(double x, double fo);
    SeriesValue energyRatio(double fo);

    // The terms needed at Fo for an absolute error below kSeriesAccuracy, at most
    // kMaxSeriesTerms, with the bound on what they leave out.
    struct Truncation
    {
        int terms;
        double omitted;
    };
    Truncation truncation(double fo) const;

private:
    template<typename TermValue> SeriesValue sum(double fo, double initial, TermValue termValue);

    double m_bi;
    std::vector<SeriesTerm> m_terms;
};

} // namespace planewall
