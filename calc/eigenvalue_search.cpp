// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "eigenvalue_search.h"

#include "arithmetic_error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

namespace planewall {

namespace {

// One row per band, in the order of kBandThresholds; the last row holds the odd multiples of
// π/2 cut off after four decimals.
constexpr StartingValues kStartingTable[kBandThresholds.size() + 1] = {
    {1, 2.5, 6.5, 9},          {1.47, 4.42, 7.22, 10.3},          {1.53, 4.6, 7.7, 10.8},
    {1.55, 4.66, 7.77, 10.88}, {1.5707, 4.7123, 7.8539, 10.9955},
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The smallest double above the pole of tan at (k + 1/2)π. tan is large and positive just
// below a pole and large and negative just above it, so its sign places a double exactly.
double firstAbovePole(int k)
{
    double z = (k + 0.5) * std::numbers::pi;
    while (std::tan(z) > 0)
        z = std::nextafter(z, kInfinity);
    while (std::tan(std::nextafter(z, -kInfinity)) < 0)
        z = std::nextafter(z, -kInfinity);
    return z;
}

struct Residual
{
    double f; // z·tan z - Bi
    double d; // its derivative, (sin z·cos z + z) / cos² z
};

// The arithmetic-error path of a search. For a finite Bi every point inside a branch has a
// finite tangent, and cos z is never exactly 0 at a double, so these guards are defensive: they
// stop a search cleanly should a platform's tan or cos ever say otherwise.
void raiseUnlessFinite(double value, int root)
{
    // A NaN comes only from an invalid operation; an infinity from finite operands is an
    // overflow, since no division happens before this check.
    if (std::isnan(value))
        throw ArithmeticError(ArithmeticKind::InvalidOperation, FailedStep::RootSearch, root);
    if (std::isinf(value))
        throw ArithmeticError(ArithmeticKind::Overflow, FailedStep::RootSearch, root);
}

Residual residualAt(double z, double bi, int root)
{
    const double t = std::tan(z);
    const double zt = z * t;
    const double f = zt - bi;
    const double c = std::cos(z);
    const double s = std::sin(z);
    const double p = s * c;
    for (const double v : {t, zt, f, c, s, p})
        raiseUnlessFinite(v, root);
    const double q = c * c;
    if (q == 0)
        throw ArithmeticError(ArithmeticKind::DivisionByZero, FailedStep::RootSearch, root);
    const double d = (p + z) / q;
    raiseUnlessFinite(d, root);
    return {f, d};
}

} // namespace

int startingBand(double bi)
{
    // The first threshold above Bi closes its band; strict, so a threshold opens the next one.
    int band = 0;
    while (band < static_cast<int>(kBandThresholds.size()) && !(bi < kBandThresholds[band]))
        ++band;
    return band;
}

const StartingValues &startingValues(double bi)
{
    return kStartingTable[startingBand(bi)];
}

Branch Branch::of(int n, double bi)
{
    if (bi < 0)
        return {std::nextafter(firstAbovePole(n - 1), -kInfinity), firstAbovePole(n)};
    // z·tan z is even, so the branch around ζ1 is cut at 0 to keep the search on z > 0.
    const double below = n == 1 ? 0.0 : std::nextafter(firstAbovePole(n - 2), -kInfinity);
    return {below, firstAbovePole(n - 1)};
}

RootSearch::RootSearch(double bi, int n, double start, double tolerance, SearchLimits limits,
                       StopRule rule)
    : m_bi(bi), m_root(n), m_tolerance(tolerance), m_limits(limits), m_rule(rule),
      m_branch(Branch::of(n, bi)), m_z(start), m_rescued(rule == StopRule::Step),
      m_low(m_branch.below), m_high(m_branch.above), m_lowResidual(kInfinity),
      m_highResidual(kInfinity), m_lastStep(m_branch.above - m_branch.below),
      m_stepBefore(m_lastStep)
{ }

void RootSearch::narrow(double z, double f)
{
    // z·tan z rises through the branch: a negative residual puts the root above z.
    if (f <= 0 && z > m_low) {
        m_low = z;
        m_lowResidual = -f;
    }
    if (f >= 0 && z < m_high) {
        m_high = z;
        m_highResidual = f;
    }
}

double RootSearch::best() const
{
    // By monotony each end of the bracket has the smallest residual seen on its side.
    return m_lowResidual <= m_highResidual ? m_low : m_high;
}

bool RootSearch::bracketCollapsed() const
{
    return std::nextafter(m_low, kInfinity) >= m_high;
}

double RootSearch::bracketedStep(double z, double newton, double dz)
{
    const bool inside = m_low < newton && newton < m_high;
    // Newton must at least halve the step before last, or it may creep along one side.
    const bool halving = 2 * std::fabs(dz) <= std::fabs(m_stepBefore);
    m_stepBefore = m_lastStep;
    if (inside && halving) {
        m_lastStep = dz;
        return newton;
    }
    const double middle = std::midpoint(m_low, m_high);
    m_lastStep = z - middle;
    return middle;
}

bool RootSearch::step()
{
    if (m_finished)
        return false;

    double next;
    bool converged = false;
    if (!m_branch.contains(m_z)) {
        // A residual outside the branch says nothing about root n: start in the branch's middle.
        m_rescued = true;
        next = std::midpoint(m_low, m_high);
    } else {
        const Residual r = residualAt(m_z, m_bi, m_root);
        narrow(m_z, r.f);
        if (r.d == 0)
            throw ArithmeticError(ArithmeticKind::DivisionByZero, FailedStep::RootSearch, m_root);
        const double dz = r.f / r.d;
        // Either test looks at the point this step starts from, so the step is still made.
        converged = m_rule == StopRule::Residual ? std::fabs(r.f) <= m_tolerance
                                                 : std::fabs(dz) <= m_tolerance * m_z;
        // An overflowing dz makes newton infinite, which no branch contains.
        const double newton = m_z - dz;
        // Plain Newton as long as it stays in the branch that holds root n alone and keeps
        // converging; once either fails, the bracket takes over for the rest of the search.
        if (!m_rescued && (!m_branch.contains(newton) || m_steps >= m_limits.plainSteps))
            m_rescued = true;

        if (!m_rescued) {
            next = newton;
        } else if (converged) {
            // Never trade a converged point for a bisection midpoint.
            const bool inBracket = m_low <= newton && newton <= m_high;
            next = inBracket && m_branch.contains(newton) ? newton : m_z;
        } else {
            next = bracketedStep(m_z, newton, dz);
        }
    }
    ++m_steps;

    if (!converged && m_rescued && (bracketCollapsed() || m_steps >= m_limits.maxSteps)) {
        // No double left to try, or out of steps: end on the best point the bracket has seen.
        if (std::isfinite(std::min(m_lowResidual, m_highResidual)))
            next = best();
        m_finished = true;
    }
    m_z = next;
    if (converged)
        m_finished = true;
    return true;
}

double searchRoot(double bi, int n, double start, double tolerance,
                  const std::function<void(double)> &report)
{
    RootSearch search(bi, n, start, tolerance);
    while (search.step()) {
        if (report)
            report(search.value());
    }
    return search.value();
}

} // namespace planewall
