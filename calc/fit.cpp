// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "fit.h"

#include "solve.h"

#include <boost/math/distributions/students_t.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>

namespace planewall {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The central difference step in a logarithm: its truncation error, step²/6 of the third
// derivative, and the rounding of θ* (1e-15) over the step both stay near 1e-10 of |Ti - T∞|.
constexpr double kDifferenceStep = 1e-5;

// The driver stops when a step changes no logarithm by more than kStepTolerance of itself or
// when the scaled gradient falls below kGradientTolerance; after kMaxIterations it gives up.
constexpr double kStepTolerance = 1e-10;
constexpr double kGradientTolerance = 1e-8;
// Where no step lowers the sum any more, a Gauss-Newton step that would lower it by less than
// this share of itself is the least: the sum's rounding hides the rest.
constexpr double kNoProgressGain = 1e-10;
constexpr int kMaxIterations = 500;
// Where the fit stops following h: when even the lumped wall, θ* = exp(-Bi·Fo), would have
// moved less than this by the last reading, the readings show no exchange to speak of; above
// Bi = kRunawayAbove, the face is held at T∞ to within a part in a thousand, and a least there
// is tested against Bi = +inf instead.
constexpr double kRunawayBelow = 1e-6;
constexpr int kRunawayIterations = 20;
constexpr const char *kNoExchange = "the readings fit best as h \u2192 0: they show too little "
                                    "of the change from Ti towards T\u221E to fit h";
constexpr double kRunawayAbove = 1e3;
// A fitted α or k that moves this far in its logarithm (a factor of 1e6) from its start has run
// off along a direction the readings do not fix: the lumped wall as k -> inf, for one.
constexpr double kSecondSpan = 13.8;
// An interval of the second property wider than this factor says it is not determined.
constexpr double kVagueSpan = 100;

// GSL reports errors through a handler that aborts the program by default; this library
// looks at every status GSL returns instead.
void quietGsl()
{
    static std::once_flag once;
    std::call_once(once, [] { gsl_set_error_handler_off(); });
}

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// The wall's temperatures at the readings for a set of parameters: ln h and the logarithm of
// the second property (ln α, or ln k when k is fitted; held when only h is). One WallSolution
// serves every reading, and the last few are kept, since the Jacobian's columns for α reuse Bi.
class Model
{
public:
    Model(std::span<const Reading> readings, const FitSetup &setup, double xStar)
        : m_setup(setup), m_xStar(xStar)
    {
        for (const Reading &r : readings) {
            m_times.push_back(r.t);
            m_measured.push_back(r.T);
        }
        m_fo.resize(m_times.size());
        m_theta.resize(m_times.size());
    }

    std::size_t size() const { return m_times.size(); }
    double tI() const { return m_setup.tI; }
    double tInf() const { return m_setup.tInf; }
    double length() const { return m_setup.wall.L; }
    std::span<const double> measured() const { return m_measured; }
    std::span<const double> times() const { return m_times; }

    // ln of the second property as the wall gives it.
    double secondStart() const
    {
        return std::log(m_setup.also == AlsoFit::K ? m_setup.wall.k : m_setup.wall.alpha);
    }

    double conductivity(double lnSecond) const
    {
        return m_setup.also == AlsoFit::K ? std::exp(lnSecond) : m_setup.wall.k;
    }
    double diffusivity(double lnSecond) const
    {
        return m_setup.also == AlsoFit::K ? std::exp(lnSecond) / *m_setup.wall.rhoCp
                                          : std::exp(lnSecond);
    }
    double biot(double lnH, double lnSecond) const
    {
        return std::exp(lnH) * m_setup.wall.L / conductivity(lnSecond);
    }
    // Bi·Fo at the last reading, ht/(ρc_p L): how far the exchange has gone by then.
    double exchange(double lnH, double lnSecond) const
    {
        const double L = m_setup.wall.L;
        return biot(lnH, lnSecond) * diffusivity(lnSecond) * m_times.back() / (L * L);
    }

    // The temperatures at `times` into `out`.
    void temperatures(double lnH, double lnSecond, std::span<const double> times,
                      std::span<double> out)
    {
        const double bi = biot(lnH, lnSecond);
        const double alpha = diffusivity(lnSecond);
        if (std::isnan(bi) || std::isnan(alpha))
            throw FitError("the fit left the range of numbers");
        const double L = m_setup.wall.L;
        m_fo.resize(times.size());
        m_theta.resize(times.size());
        for (std::size_t i = 0; i < times.size(); ++i)
            m_fo[i] = times[i] == 0 ? 0 : alpha * times[i] / (L * L);
        const WallSolution &wall = solution(bi);
        if (m_setup.mean) {
            for (std::size_t i = 0; i < times.size(); ++i)
                m_theta[i] = wall.meanTheta(m_fo[i]);
        } else {
            wall.thetaHistory(m_xStar, m_fo, m_theta);
        }
        const double difference = m_setup.tI - m_setup.tInf;
        for (std::size_t i = 0; i < times.size(); ++i)
            out[i] = m_setup.tInf + m_theta[i] * difference;
    }

    void temperatures(double lnH, double lnSecond, std::span<double> out)
    {
        temperatures(lnH, lnSecond, m_times, out);
    }

private:
    const WallSolution &solution(double bi)
    {
        for (const auto &kept : m_solutions) {
            if (kept && kept->bi() == bi)
                return *kept;
        }
        auto &slot = m_solutions[m_next];
        m_next = (m_next + 1) % m_solutions.size();
        slot.emplace(bi);
        return *slot;
    }

    const FitSetup &m_setup;
    double m_xStar;
    std::vector<double> m_times, m_measured, m_fo, m_theta;
    std::array<std::optional<WallSolution>, 4> m_solutions;
    std::size_t m_next = 0;
};

// A least-squares problem on the model: the free logarithms (indices into {ln h, ln second}),
// the others held, residuals model - measured as GSL wants them.
struct LeastSquares
{
    Model &model;
    std::array<double, 2> held;
    std::vector<int> free;
    std::vector<double> scratch, plus, minus;
    std::exception_ptr failure;

    std::array<double, 2> full(const gsl_vector *x) const
    {
        std::array<double, 2> p = held;
        for (std::size_t j = 0; j < free.size(); ++j)
            p[free[j]] = gsl_vector_get(x, j);
        return p;
    }

    void residuals(const std::array<double, 2> &p, std::span<double> out)
    {
        // ln h = +inf is the face held at T∞, which the solution has.
        if (std::isnan(p[0]) || !std::isfinite(p[1]))
            throw FitError("the fit diverged");
        model.temperatures(p[0], p[1], out);
        const std::span<const double> measured = model.measured();
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] -= measured[i];
    }

    double sumOfSquares(const std::array<double, 2> &p)
    {
        scratch.resize(model.size());
        residuals(p, scratch);
        double sum = 0;
        for (const double r : scratch)
            sum += r * r;
        return sum;
    }
};

int residualsCallback(const gsl_vector *x, void *params, gsl_vector *f)
{
    auto &problem = *static_cast<LeastSquares *>(params);
    try {
        problem.scratch.resize(problem.model.size());
        problem.residuals(problem.full(x), problem.scratch);
        for (std::size_t i = 0; i < problem.scratch.size(); ++i)
            gsl_vector_set(f, i, problem.scratch[i]);
        return GSL_SUCCESS;
    } catch (...) {
        problem.failure = std::current_exception();
        return GSL_EBADFUNC;
    }
}

int jacobianCallback(const gsl_vector *x, void *params, gsl_matrix *J)
{
    auto &problem = *static_cast<LeastSquares *>(params);
    try {
        const std::array<double, 2> p = problem.full(x);
        const std::size_t n = problem.model.size();
        problem.plus.resize(n);
        problem.minus.resize(n);
        for (std::size_t j = 0; j < problem.free.size(); ++j) {
            std::array<double, 2> up = p, down = p;
            up[problem.free[j]] += kDifferenceStep;
            down[problem.free[j]] -= kDifferenceStep;
            problem.residuals(up, problem.plus);
            problem.residuals(down, problem.minus);
            for (std::size_t i = 0; i < n; ++i)
                gsl_matrix_set(J, i, j,
                               (problem.plus[i] - problem.minus[i]) / (2 * kDifferenceStep));
        }
        return GSL_SUCCESS;
    } catch (...) {
        problem.failure = std::current_exception();
        return GSL_EBADFUNC;
    }
}

struct WorkspaceDeleter
{
    void operator()(gsl_multifit_nlinear_workspace *w) const { gsl_multifit_nlinear_free(w); }
};
struct VectorDeleter
{
    void operator()(gsl_vector *v) const { gsl_vector_free(v); }
};
struct MatrixDeleter
{
    void operator()(gsl_matrix *m) const { gsl_matrix_free(m); }
};
using Workspace = std::unique_ptr<gsl_multifit_nlinear_workspace, WorkspaceDeleter>;
using Vector = std::unique_ptr<gsl_vector, VectorDeleter>;
using Matrix = std::unique_ptr<gsl_matrix, MatrixDeleter>;

// What the Gauss-Newton step from where the iteration stands would take off the sum of squares:
// gᵀ(JᵀJ)⁻¹g with g = Jᵀf.
double gaussNewtonGain(const gsl_multifit_nlinear_workspace *work)
{
    const gsl_matrix *J = gsl_multifit_nlinear_jac(work);
    const gsl_vector *f = gsl_multifit_nlinear_residual(work);
    const std::size_t p = J->size2;
    Matrix inverse(gsl_matrix_alloc(p, p));
    Vector gradient(gsl_vector_alloc(p)), step(gsl_vector_alloc(p));
    if (!inverse || !gradient || !step)
        throw std::bad_alloc();
    gsl_multifit_nlinear_covar(J, 0.0, inverse.get());
    gsl_blas_dgemv(CblasTrans, 1.0, J, f, 0.0, gradient.get());
    gsl_blas_dgemv(CblasNoTrans, 1.0, inverse.get(), gradient.get(), 0.0, step.get());
    double gain = 0;
    gsl_blas_ddot(gradient.get(), step.get(), &gain);
    return std::isnan(gain) ? kInfinity : std::fabs(gain);
}

double sumOfSquares(const gsl_multifit_nlinear_workspace *work)
{
    const gsl_vector *f = gsl_multifit_nlinear_residual(work);
    double sum = 0;
    for (std::size_t i = 0; i < f->size; ++i)
        sum += gsl_vector_get(f, i) * gsl_vector_get(f, i);
    return sum;
}

struct Minimum
{
    std::array<double, 2> p; // the logarithms, held ones included
    double sumOfSquares = 0;
    int iterations = 0;
    bool converged = false;
    bool runaway = false; // stopped as Bi passed kRunawayAbove, still rising
    bool secondRanOff = false; // stopped as the second logarithm left kSecondSpan
    std::string reason; // why it did not converge
    Matrix covariance; // (JᵀJ)⁻¹ over the free logarithms, when converged
};

// The least squares over the free logarithms by GSL's trust-region Levenberg-Marquardt, from
// `start`. It stops where the readings hardly depend on the parameters any more and the
// iteration would creep towards 0 or +inf for ever: when the exchange by the last reading falls
// below kRunawayBelow, when Bi rises above `runawayAbove`, and when the second logarithm moves
// kSecondSpan away from its start.
Minimum minimize(LeastSquares &problem, std::array<double, 2> start,
                 double runawayAbove = kInfinity)
{
    quietGsl();
    const std::size_t n = problem.model.size(), p = problem.free.size();
    gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
    parameters.trs = gsl_multifit_nlinear_trs_lm;
    Workspace work(gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &parameters, n, p));
    Vector x(gsl_vector_alloc(p));
    if (!work || !x)
        throw std::bad_alloc();
    problem.held = start;
    for (std::size_t j = 0; j < p; ++j)
        gsl_vector_set(x.get(), j, start[problem.free[j]]);

    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residualsCallback;
    fdf.df = jacobianCallback;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &problem;
    problem.failure = nullptr;
    Minimum m;
    bool stalled = false;
    int belowExchange = 0; // iterations in a row with the exchange below kRunawayBelow
    // The rounding of the sum of squares where it is all rounding: θ* to about 1e-15.
    const double difference = 1e-15 * (problem.model.tI() - problem.model.tInf());
    const double floor = static_cast<double>(n) * difference * difference;
    int status = gsl_multifit_nlinear_init(x.get(), &fdf, work.get());
    while (status == GSL_SUCCESS) {
        if (m.iterations == kMaxIterations) {
            status = GSL_EMAXITER;
            break;
        }
        ++m.iterations;
        status = gsl_multifit_nlinear_iterate(work.get());
        // No progress where the Gauss-Newton step would lower the sum by less than its
        // rounding is the least itself: the step still to go is then below a hundred-thousandth
        // of the standard error. Elsewhere, as in GSL's own driver, the iteration goes on
        // (the trust region has been reset), unless it made no progress before either.
        int converged = 0;
        if (status == GSL_ENOPROG) {
            const double sum = sumOfSquares(work.get());
            converged = gaussNewtonGain(work.get()) <= kNoProgressGain * sum + floor ? 1 : 0;
            if (converged == 0 && (m.iterations == 1 || stalled))
                break;
            stalled = true;
            status = GSL_SUCCESS;
        } else if (status != GSL_SUCCESS) {
            break;
        } else {
            stalled = false;
            gsl_multifit_nlinear_test(kStepTolerance, kGradientTolerance, 0, &converged,
                                      work.get());
        }
        m.p = problem.full(gsl_multifit_nlinear_position(work.get()));
        if (converged != 0) {
            m.converged = true;
            break;
        }
        // A step or two down there happens on the way from a poor start; staying is running off.
        belowExchange
            = problem.model.exchange(m.p[0], m.p[1]) < kRunawayBelow ? belowExchange + 1 : 0;
        if (belowExchange == kRunawayIterations)
            status = GSL_EDOM;
        if (std::fabs(m.p[1] - start[1]) > kSecondSpan) {
            m.secondRanOff = true;
            status = GSL_ERANGE;
        }
        if (problem.model.biot(m.p[0], m.p[1]) > runawayAbove) {
            m.runaway = true;
            break;
        }
    }
    if (problem.failure)
        std::rethrow_exception(problem.failure);
    m.p = problem.full(gsl_multifit_nlinear_position(work.get()));
    m.sumOfSquares = sumOfSquares(work.get());
    if (!m.converged) {
        switch (status) {
        case GSL_SUCCESS:
            break;
        case GSL_EMAXITER:
            m.reason
                = "the fit did not converge in " + std::to_string(kMaxIterations) + " iterations";
            break;
        case GSL_ENOPROG:
            m.reason = "the fit stopped making progress before it converged";
            break;
        case GSL_EDOM:
            m.reason = kNoExchange;
            break;
        case GSL_ERANGE:
            m.reason = "the other property fitted ran off from where it started: the readings "
                       "cannot fix it";
            break;
        default:
            m.reason = std::string("the fit failed: ") + gsl_strerror(status);
        }
        return m;
    }
    m.covariance.reset(gsl_matrix_alloc(p, p));
    if (!m.covariance)
        throw std::bad_alloc();
    // No column is dropped (epsrel 0): a column of zeros must show as an infinite variance,
    // never as a certain value.
    gsl_multifit_nlinear_covar(gsl_multifit_nlinear_jac(work.get()), 0.0, m.covariance.get());
    return m;
}

// The least sum of squares at a given ln h (+inf included) over the second logarithm when it is
// fitted, starting from `second`; the second logarithm it ends at.
std::pair<double, double> profile(LeastSquares &problem, double lnH, double second)
{
    if (problem.free.size() == 1)
        return {problem.sumOfSquares({lnH, second}), second};
    LeastSquares inner{problem.model, {}, {1}, {}, {}, {}, nullptr};
    const Minimum m = minimize(inner, {lnH, second});
    // An inner fit that does not converge still gives a sum no less than the least.
    return {m.sumOfSquares, m.p[1]};
}

// The h that brings the reading nearest halfway from Ti to T∞ there exactly, at the wall's own
// α and k: close to the answer whenever the readings say anything about h.
double startingH(const Model &model, const FitSetup &setup, double xStar)
{
    const double difference = setup.tI - setup.tInf;
    const std::span<const double> times = model.times(), measured = model.measured();
    std::optional<std::size_t> best;
    double bestDistance = 0.5;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double theta = (measured[i] - setup.tInf) / difference;
        if (times[i] > 0 && std::fabs(theta - 0.5) < bestDistance) {
            best = i;
            bestDistance = std::fabs(theta - 0.5);
        }
    }
    double bi = 1;
    if (best) {
        const double T = measured[*best];
        const Target target{(T - setup.tInf) / difference, (setup.tI - T) / difference};
        const double fo = setup.wall.alpha * times[*best] / (setup.wall.L * setup.wall.L);
        try {
            bi = solveBiot(fo, Where{setup.mean, xStar}, target).value;
        } catch (const UnreachableTarget &error) {
            // Beyond what h → ∞ gives: the face is held at T∞, as near as a finite h comes.
            if (error.reason() == Unreachable::BeyondLimit
                || error.reason() == Unreachable::WithinLimitAccuracy)
                bi = 1e3;
        } catch (const std::exception &) {
            // A time beyond the range of Fo: only a start, and Bi = 1 will do.
        }
    }
    bi = std::clamp(bi, 1e-6, 1e6);
    return bi * setup.wall.k / setup.wall.L;
}

// The point of the least sum among Bi = 1e-3 to 1e3, four to a decade, and, when the second
// logarithm is fitted, its start times 10^-1.5 to 10^1.5, two to a decade.
std::array<double, 2> scanStart(LeastSquares &problem, double second)
{
    const Model &model = problem.model;
    const int span = problem.free.size() == 2 ? 3 : 0;
    std::array<double, 2> best = {0, second};
    double bestSum = kInfinity;
    for (int j = -span; j <= span; ++j) {
        const double lnSecond = second + j * std::log(10.0) / 2;
        const double lnHOfBi = std::log(model.conductivity(lnSecond) / model.length());
        for (int i = -12; i <= 12; ++i) {
            const std::array<double, 2> p = {lnHOfBi + i * std::log(10.0) / 4, lnSecond};
            const double sum = problem.sumOfSquares(p);
            if (sum < bestSum) {
                best = p;
                bestSum = sum;
            }
        }
    }
    return best;
}

// A fit run to its end, the face held at T∞ (ln h = +inf) included: past Bi = 1e3 and still
// rising, that is the least unless the iteration, let go on, finds a finite h that does better.
struct Settled
{
    Minimum m;
    bool atInfinity = false;

    // An answer: converged (or at +inf), with an exchange the readings can show.
    bool usable(const Model &model) const
    {
        return (m.converged || atInfinity) && !m.secondRanOff
            && model.exchange(m.p[0], m.p[1]) >= kRunawayBelow;
    }
};

Settled settle(LeastSquares &problem, const std::array<double, 2> &start)
{
    Settled s{minimize(problem, start, kRunawayAbove)};
    if (!s.m.runaway)
        return s;
    const auto [sum, second] = profile(problem, kInfinity, s.m.p[1]);
    if (sum <= s.m.sumOfSquares) {
        s.atInfinity = true;
        s.m.p = {kInfinity, second};
        s.m.sumOfSquares = sum;
        return s;
    }
    s.m = minimize(problem, s.m.p);
    return s;
}

// The one-sided 95% lower bound on ln h by the profile of the sum of squares: the ln h below
// the least where the least sum over the other logarithm (held at its fit when h is alone) has
// risen by `rise`, t²s². The search starts at `top`, a finite ln h at or below the least.
// -inf when no h above 0 raises the sum that far.
double profileLowerBound(LeastSquares &problem, const std::array<double, 2> &least, double leastSum,
                         double top, double rise)
{
    const double target = leastSum + rise;
    double second = least[1];
    const auto excess = [&](double lnH) {
        const auto [sum, at] = profile(problem, lnH, second);
        second = at;
        return sum - target;
    };
    double upper = top, atUpper = top == least[0] ? -rise : excess(top);
    double step = 0.25, lower = upper - step, atLower = excess(lower);
    while (atLower < 0) {
        if (step > 64)
            return -kInfinity;
        upper = lower;
        atUpper = atLower;
        step *= 2;
        lower = upper - step;
        atLower = excess(lower);
    }
    if (atUpper >= 0)
        return upper; // the least itself lies within the rise: no narrower bound to find
    std::uintmax_t iterations = 100;
    const auto bracket = boost::math::tools::toms748_solve(
        excess, lower, upper, atLower, atUpper, boost::math::tools::eps_tolerance<double>(30),
        iterations);
    return 0.5 * (bracket.first + bracket.second);
}

// |h·∂T/∂h| at each reading, by central differences in ln h.
std::vector<double> sensitivities(Model &model, double lnH, double lnSecond)
{
    const std::size_t n = model.size();
    std::vector<double> up(n), down(n);
    model.temperatures(lnH + kDifferenceStep, lnSecond, up);
    model.temperatures(lnH - kDifferenceStep, lnSecond, down);
    for (std::size_t i = 0; i < n; ++i)
        up[i] = std::fabs(up[i] - down[i]) / (2 * kDifferenceStep);
    return up;
}

// The Wald-Wolfowitz runs test on the residuals' signs: how many runs of one sign, how many
// independent errors would give, and the standard score of the difference. Zeros, which only
// a reading at t = 0 gives exactly, are left out.
struct Runs
{
    int runs = 0;
    double expected = 0;
    double z = 0;
};

Runs signRuns(const std::vector<FitPoint> &points)
{
    Runs r;
    double positive = 0, negative = 0;
    int last = 0;
    for (const FitPoint &p : points) {
        const int sign = p.residual > 0 ? 1 : p.residual < 0 ? -1 : 0;
        if (sign == 0)
            continue;
        (sign > 0 ? positive : negative) += 1;
        r.runs += sign != last ? 1 : 0;
        last = sign;
    }
    const double n = positive + negative;
    if (positive == 0 || negative == 0)
        return r;
    r.expected = 2 * positive * negative / n + 1;
    const double variance = (r.expected - 1) * (r.expected - 2) / (n - 1);
    r.z = variance > 0 ? (r.runs - r.expected) / std::sqrt(variance) : 0;
    return r;
}

std::string assumptions(const FitSetup &setup)
{
    std::string exact = "L";
    if (setup.also != AlsoFit::K)
        exact += ", k";
    if (setup.also == AlsoFit::None)
        exact += setup.wall.rhoCp ? ", \u03C1c_p" : ", \u03B1";
    else if (setup.also == AlsoFit::K)
        exact += ", \u03C1c_p";
    exact += setup.mean ? "" : ", x";
    exact += ", Ti and T\u221E";
    std::string text
        = "the interval assumes independent reading errors of equal size and exact " + exact;
    if (!setup.mean)
        text += "; the sensor's position is often the largest real uncertainty, and it is not "
                "in the interval";
    return text;
}

} // namespace

FitResult fitReadings(std::span<const Reading> readings, const FitSetup &setup)
{
    // The problem checks the wall, the temperatures and the sensor's place.
    const Problem problem(setup.wall, 0, setup.tI, setup.tInf, setup.unit);
    const double xStar = setup.mean ? 0 : problem.xStar(setup.x);
    if (setup.tI == setup.tInf)
        throw InputError(Input::TInf,
                         "must differ from Ti: with Ti = T\u221E nothing changes, "
                         "whatever h is");
    if (setup.also == AlsoFit::K && !setup.wall.rhoCp)
        throw InputError(Input::Rho,
                         "is needed with c_p to fit k: with \u03B1 held, the "
                         "temperatures show only h/k");
    if (setup.hStart && (!(*setup.hStart > 0) || std::isinf(*setup.hStart)))
        throw InputError(Input::H, "must be a finite number > 0 to start the fit from");
    const int parameters = setup.also == AlsoFit::None ? 1 : 2;
    checkReadings(readings, setup.tI, setup.tInf, parameters, setup.unit);

    Model model(readings, setup, xStar);
    LeastSquares fit{model, {}, {0}, {}, {}, {}, nullptr};
    if (parameters == 2)
        fit.free.push_back(1);
    const std::array<double, 2> start
        = {std::log(setup.hStart.value_or(startingH(model, setup, xStar))), model.secondStart()};
    const double difference = std::fabs(setup.tI - setup.tInf);
    const auto largest = [](const std::vector<double> &values) {
        return *std::max_element(values.begin(), values.end());
    };
    if (!(largest(sensitivities(model, start[0], start[1])) > 1e-9 * difference))
        throw FitError("the readings do not depend on h: they all lie where the wall has not "
                       "yet felt the fluid, or has long reached it");

    // A fit that ends where the readings say little (on the plateau of no exchange, with the
    // second property run off, past Bi = 1e3, or not at all) may have been led there by a poor
    // start: once more from the best point of a coarse scan, and the better of the two kept.
    Settled settled = settle(fit, start);
    if (!settled.usable(model) || settled.atInfinity) {
        Settled again = settle(fit, scanStart(fit, start[1]));
        if (again.usable(model)
            && (!settled.usable(model) || again.m.sumOfSquares < settled.m.sumOfSquares))
            settled = std::move(again);
    }
    Minimum &least = settled.m;
    const bool atInfinity = settled.atInfinity;
    const char *secondName = setup.also == AlsoFit::Alpha ? "\u03B1" : "k";
    if (least.secondRanOff)
        throw FitError(std::string("the fit of ") + secondName
                       + " ran off by more than a factor of a million from its start: the "
                         "readings cannot fix it; fit h alone, or start "
                       + secondName + " nearer");
    if (!settled.usable(model))
        throw FitError(least.converged ? kNoExchange : least.reason);
    // The face held at T∞: when its sum lies within the interval's rise over the least, the
    // readings cannot bound h from above.
    const double sumAtInfinity
        = atInfinity ? least.sumOfSquares : profile(fit, kInfinity, least.p[1]).first;

    FitResult result;
    const std::size_t n = model.size();
    result.points = n;
    result.degreesOfFreedom = static_cast<int>(n) - parameters;
    result.iterations = least.iterations;
    result.bi = model.biot(least.p[0], least.p[1]);
    result.rms = std::sqrt(least.sumOfSquares / static_cast<double>(n));
    result.wall = setup.wall;
    result.wall.k = model.conductivity(least.p[1]);
    result.wall.alpha = model.diffusivity(least.p[1]);
    if (setup.also == AlsoFit::Alpha)
        result.wall.rhoCp = result.wall.k / result.wall.alpha;

    const boost::math::students_t student(result.degreesOfFreedom);
    result.tQuantile = boost::math::quantile(boost::math::complement(student, 0.025));
    const double variance = least.sumOfSquares / result.degreesOfFreedom; // s²
    const auto covariance = [&](std::size_t i, std::size_t j) {
        return gsl_matrix_get(least.covariance.get(), i, j) * variance;
    };
    const auto estimate = [&](std::size_t j, double lnValue) {
        if (atInfinity)
            return Estimate{std::exp(lnValue), 0, kInfinity};
        const double half = result.tQuantile * std::sqrt(covariance(j, j));
        if (!std::isfinite(half))
            throw FitError("the readings cannot tell h from the other property fitted: the "
                           "fit has no unique answer");
        return Estimate{std::exp(lnValue), std::exp(lnValue - half), std::exp(lnValue + half)};
    };
    result.h = estimate(0, least.p[0]);
    const double rise = result.tQuantile * result.tQuantile * variance;
    result.lowerBoundOnly
        = result.bi > kBoundedBelowAbove || sumAtInfinity - least.sumOfSquares <= rise;
    if (parameters == 2) {
        Estimate second = estimate(1, least.p[1]);
        // With h unbounded above, the other property moves along with it beyond what the
        // covariance at the least can tell.
        if (result.lowerBoundOnly) {
            second.low = second.high = NAN;
            result.notes.push_back(std::string("no interval for ") + secondName
                                   + ": h is bounded only from below, and it moves with h");
        }
        (setup.also == AlsoFit::Alpha ? result.alpha : result.k) = second;
        if (!atInfinity) {
            const double product = covariance(0, 0) * covariance(1, 1);
            result.correlation = product > 0 ? covariance(0, 1) / std::sqrt(product) : 0;
        }
    }

    if (result.lowerBoundOnly) {
        const double oneSided = boost::math::quantile(boost::math::complement(student, 0.05));
        const double top
            = atInfinity ? std::log(kRunawayAbove * result.wall.k / setup.wall.L) : least.p[0];
        const double lower = profileLowerBound(fit, least.p, least.sumOfSquares, top,
                                               oneSided * oneSided * variance);
        result.h.low = std::exp(lower);
        result.h.high = kInfinity;
        const std::string why = atInfinity
            ? "the readings fit best with the face held at T\u221E (h \u2192 \u221E)"
            : result.bi > kBoundedBelowAbove
            ? "Bi = " + format("%.3g", result.bi) + " > 50: the face is all but held at T\u221E"
            : "the readings fit the face held at T\u221E (h \u2192 \u221E) within the "
              "interval";
        result.warnings.push_back(why + ", and they bound h only from below: h \u2265 "
                                  + format("%.4g", result.h.low) + " W/m\u00B2K (95% one-sided)");
    }

    std::vector<double> fitted(n);
    model.temperatures(least.p[0], least.p[1], fitted);
    result.fitted.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        result.fitted.push_back(
            {readings[i].t, readings[i].T, fitted[i], readings[i].T - fitted[i], readings[i].line});

    // The sensitivity at the fit, or at the lower bound when the fit is at h = ∞, where h no
    // longer moves anything.
    const double lnHSensitive = atInfinity ? std::log(result.h.low) : least.p[0];
    const std::vector<double> sensitivity = std::isfinite(lnHSensitive)
        ? sensitivities(model, lnHSensitive, least.p[1])
        : std::vector<double>(n, 0.0);
    const auto most = std::max_element(sensitivity.begin(), sensitivity.end());
    result.sensitivity = *most;
    result.sensitivityTime = readings[most - sensitivity.begin()].t;
    result.sensitivityLine = readings[most - sensitivity.begin()].line;
    if (!(result.sensitivity >= kSensitivityFactor * result.rms)) {
        result.warnings.push_back(
            "the readings hardly depend on h: the largest h\u00B7\u2202T/\u2202h is "
            + format("%.3g", result.sensitivity)
            + " (at t = " + format("%.6g", result.sensitivityTime)
            + " s), below 3 times the RMS residual (" + format("%.3g", result.rms)
            + "); readings from before the centre felt the surface or after the wall reached "
              "T\u221E say little about h");
    }
    // Residuals at the rounding of θ* have whatever pattern the rounding has.
    const auto runs = signRuns(result.fitted);
    if (runs.z < -3 && result.rms > 1e-9 * difference) {
        result.warnings.push_back(
            "the residuals keep one sign over long stretches (" + std::to_string(runs.runs)
            + " runs where independent errors would give about " + format("%.0f", runs.expected)
            + "): the solution does not describe the readings well; check t0, x, Ti, T\u221E "
              "and the wall's properties. The interval assumes independent errors");
    }
    if (parameters == 2 && !result.lowerBoundOnly) {
        const Estimate &second = setup.also == AlsoFit::Alpha ? *result.alpha : *result.k;
        if (second.high > kVagueSpan * second.low)
            result.warnings.push_back(std::string("the readings hardly determine ") + secondName
                                      + ": its 95% interval spans more than a factor of "
                                      + format("%.0f", kVagueSpan));
    }
    result.notes.push_back(assumptions(setup));
    if (setup.also == AlsoFit::Alpha)
        result.notes.push_back("\u03C1c_p = k/\u03B1 = " + format("%.4g", *result.wall.rhoCp)
                               + " J/m\u00B3K follows from the fitted \u03B1");
    if (setup.also == AlsoFit::K)
        result.notes.push_back("\u03B1 = k/\u03C1c_p = " + format("%.4g", result.wall.alpha)
                               + " m\u00B2/s follows from the fitted k");

    std::vector<double> times(kCurvePoints), curve(kCurvePoints);
    for (int i = 0; i < kCurvePoints; ++i)
        times[i] = readings.back().t * i / (kCurvePoints - 1);
    model.temperatures(least.p[0], least.p[1], times, curve);
    for (int i = 0; i < kCurvePoints; ++i)
        result.curve.emplace_back(times[i], curve[i]);
    return result;
}

} // namespace planewall
