// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "calculation.h"

#include "arithmetic_error.h"
#include "eigenvalue_search.h"
#include "number_text.h"

#include <cmath>

namespace planewall {

double biotNumber(double h, double L, double k)
{
    const double hl = h * L;
    if (std::isinf(hl))
        throw ArithmeticError(ArithmeticKind::Overflow, FailedStep::ProductHL);
    // 0/0 is reported as a division by zero: the cause is the zero k either way.
    if (k == 0)
        throw ArithmeticError(ArithmeticKind::DivisionByZero, FailedStep::QuotientByK);
    const double bi = hl / k;
    if (std::isinf(bi))
        throw ArithmeticError(ArithmeticKind::Overflow, FailedStep::QuotientByK);
    return bi;
}

namespace {

// The run's order, shared by the step-by-step and the final-values callers: inputs in the order
// h, L, k; Bi; then every iterate of root 1, 2, 3 and 4.
template<typename OnInputs, typename OnBi, typename OnIterate>
void runCalculation(std::string_view hText, std::string_view lText, std::string_view kText,
                    OnInputs onInputs, OnBi onBi, OnIterate onIterate)
{
    const double h = readNumber(hText, FailedStep::ReadH);
    const double L = readNumber(lText, FailedStep::ReadL);
    const double k = readNumber(kText, FailedStep::ReadK);
    onInputs(h, L, k);

    const double bi = biotNumber(h, L, k);
    onBi(bi);

    const StartingValues &starts = startingValues(bi);
    for (int n = 1; n <= 4; ++n) {
        RootSearch search(bi, n, starts[n - 1], kTolerance);
        while (search.step())
            onIterate(n, search.value());
    }
}

} // namespace

void calculate(std::string_view hText, std::string_view lText, std::string_view kText,
               ResultSink &sink)
{
    runCalculation(
        hText, lText, kText, [&](double h, double L, double k) { sink.inputsRead(h, L, k); },
        [&](double bi) { sink.write(Slot::Bi, formatBiot(bi), bi); },
        [&](int n, double z) { sink.write(rootSlot(n), formatRoot(z), z); });
}

Solution solve(std::string_view hText, std::string_view lText, std::string_view kText)
{
    Solution solution;
    runCalculation(
        hText, lText, kText,
        [&](double h, double L, double k) {
            solution.h = h;
            solution.L = L;
            solution.k = k;
        },
        [&](double bi) { solution.bi = bi; }, [&](int n, double z) { solution.zeta[n - 1] = z; });
    return solution;
}

} // namespace planewall
