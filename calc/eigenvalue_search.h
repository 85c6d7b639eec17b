// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <array>
#include <functional>

namespace planewall {

// The stop tolerance a calculation run gives every root search.
inline constexpr double kTolerance = 0.00001;

// The starting-guess table: five bands of Bi with one start per root. Band b + 1 starts at
// kBandThresholds[b]; a Bi equal to a threshold belongs to the band above it.
inline constexpr std::array<double, 4> kBandThresholds = {5, 20, 71, 101};
using StartingValues = std::array<double, 4>;
int startingBand(double bi); // 0 to 4
const StartingValues &startingValues(double bi);

// The doubles z > 0 strictly between the two poles of tan around root n, where z·tan z rises
// monotonically from -inf to +inf, so that it holds root n and no other:
//   Bi >= 0: ((n - 3/2)π, (n - 1/2)π), cut to (0, π/2) for n = 1 (root n lies in
//            [(n - 1)π, (n - 1/2)π));
//   Bi <  0: ((n - 1/2)π, (n + 1/2)π) (root n lies in ((n - 1/2)π, nπ)).
struct Branch
{
    double below; // the largest double at or below the lower end, itself outside
    double above; // the smallest double above the upper pole, itself outside

    static Branch of(int n, double bi);
    bool contains(double z) const { return below < z && z < above; }
};

// The search's bounds on its own work.
struct SearchLimits
{
    // Plain Newton steps allowed before a search that has not converged is taken over by the
    // bracketed step. The plain paths that end on the right root take at most 19 steps.
    int plainSteps = 40;
    // Steps in all: a bracket of width π halves to one double in about 54 bisections, so this
    // is never reached by a search that can still make progress.
    int maxSteps = 200;
};

// What ends a search once its point is good enough.
enum class StopRule {
    // |z·tan z - Bi| at the point a step starts from is within the tolerance: the calculator's
    // rule, for the table starts.
    Residual,
    // The Newton step from z is within tolerance·z: for roots wanted to full precision. The
    // search is bracketed from its first step.
    Step,
};

// Newton's method for root n of z·tan z = Bi, one step at a time.
//
// Each step starts from the current iterate z and stops the search when |z·tan z - Bi| at z was
// within the tolerance, after reporting the step's new value. The plain Newton step is taken
// as long as it stays in root n's branch: paths that converge there are reproduced step for
// step. A step that would leave the branch, a start outside it (every start for Bi < 0) or too
// many steps hand the search to a bracketed Newton step (Newton inside the bracket narrowed by
// the signs of the residuals seen, bisection otherwise). The search then ends on root n: by the
// stop test, when no double is left inside the bracket, or at the step bound, where the last
// step reports the best bracketed value seen.
class RootSearch
{
public:
    RootSearch(double bi, int n, double start, double tolerance = kTolerance,
               SearchLimits limits = {}, StopRule rule = StopRule::Residual);

    // Makes one step and returns true, or returns false when the search has already ended.
    // Raises ArithmeticError where a residual or derivative cannot be computed.
    bool step();

    double value() const { return m_z; } // the last iterate, the start before any step
    int steps() const { return m_steps; }
    // The bracket: root n lies strictly between these (branch ends until a sign narrows them).
    double bracketLow() const { return m_low; }
    double bracketHigh() const { return m_high; }

private:
    void narrow(double z, double f);
    double bracketedStep(double z, double newton, double dz);
    bool bracketCollapsed() const;
    double best() const;

    double m_bi;
    int m_root;
    double m_tolerance;
    SearchLimits m_limits;
    StopRule m_rule;
    Branch m_branch;
    double m_z;
    int m_steps = 0;
    bool m_finished = false;
    bool m_rescued = false;
    double m_low;
    double m_high;
    double m_lowResidual; // |residual| at m_low, infinite while m_low is a branch end
    double m_highResidual; // the same at m_high
    double m_lastStep; // the last two step lengths, to see whether Newton still halves them
    double m_stepBefore;
};

// Runs a whole search, calling `report` with every new iterate; returns the root.
double searchRoot(double bi, int n, double start, double tolerance,
                  const std::function<void(double)> &report = {});

} // namespace planewall
