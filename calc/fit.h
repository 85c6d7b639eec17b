// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "problem.h"
#include "readings.h"

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace planewall {

// The heat transfer coefficient h that explains measured temperatures T(t), fitted by least
// squares on the exact solution, with how well the readings pin it down.

// What is fitted besides h.
enum class AlsoFit {
    None,
    Alpha, // the diffusivity α, k held
    K, // the conductivity k, ρc_p held (so α = k/ρc_p moves with it)
};

struct FitSetup
{
    // The wall: L, k and α (with ρc_p when known); a fitted α or k starts from its value here.
    Wall wall;
    // Ti and T∞ in the readings' scale, `unit` ("C", "K", "F", or "" for the unnamed one).
    double tI = 0, tInf = 0;
    std::string unit;
    bool mean = false; // the readings are of the wall's mean temperature, not of a point
    double x = 0; // where the sensor is, m from the mid-plane, 0 <= x <= L; when not `mean`
    AlsoFit also = AlsoFit::None;
    // Where the fit starts, W/m²K; by default the h that brings the reading nearest halfway
    // from Ti to T∞ there exactly.
    std::optional<double> hStart;
};

// A fitted value and its 95% confidence interval. The fit is on ln h (and ln α or ln k), so the
// interval is symmetric in the logarithm and never reaches below 0.
struct Estimate
{
    double value = 0;
    double low = 0, high = 0; // high is +inf when only a lower bound is known
};

// One reading with what the fitted solution gives there.
struct FitPoint
{
    double t; // s, from the start
    double measured, fitted;
    double residual; // measured - fitted, in the scale's degrees
    std::size_t line;
};

struct FitResult
{
    Estimate h; // W/m²K
    std::optional<Estimate> alpha; // m²/s, when fitted
    std::optional<Estimate> k; // W/mK, when fitted
    // Bi > kBoundedBelowAbove: the readings bound h only from below. h.high is then +inf and
    // h.low a one-sided 95% lower bound, where the sum of squares has risen by t²s² over its
    // least (t of n - p degrees of freedom at 95% one-sided).
    bool lowerBoundOnly = false;
    Wall wall; // the wall with the fitted values (α, k and ρc_p as they follow)
    double bi = 0;
    double rms = 0; // the root mean square of the residuals, in the scale's degrees
    std::size_t points = 0; // readings used
    int degreesOfFreedom = 0; // points - parameters
    double tQuantile = 0; // Student's t at 97.5% for those degrees of freedom
    double correlation = 0; // between ln h and the other fitted logarithm; 0 for h alone
    // The largest |h·∂T/∂h| over the readings, in the scale's degrees, and where it is.
    double sensitivity = 0;
    double sensitivityTime = 0; // s
    std::size_t sensitivityLine = 0;
    int iterations = 0;
    std::vector<std::string> notes; // what the interval assumes, what follows from the fit
    std::vector<std::string> warnings; // reasons to distrust the answer
    std::vector<FitPoint> fitted; // one per reading, in order
    // The fitted temperature at kCurvePoints evenly spaced times from 0 to the last reading,
    // as (t, T), for a chart.
    std::vector<std::pair<double, double>> curve;
};

inline constexpr double kBoundedBelowAbove = 50; // Bi beyond which h has no upper bound
inline constexpr double kSensitivityFactor = 3; // warn below this many RMS residuals
inline constexpr int kCurvePoints = 201;

// A fit that could not end with an answer: it did not converge, or the readings do not depend
// on h at all. what() says why.
class FitError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Fits h (and α or k) to readings already in the problem's scale and counted from the start.
// The readings are checked first (checkReadings: ReadingsError); a setup that cannot be fitted
// is an InputError (Ti = T∞, x outside the wall, k fitted without ρc_p); FitError otherwise.
// Thread-safe: it keeps nothing between calls.
FitResult fitReadings(std::span<const Reading> readings, const FitSetup &setup);

} // namespace planewall
