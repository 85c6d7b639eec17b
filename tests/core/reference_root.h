// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <cmath>
#include <utility>

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Where the calculator's root n of z·tan z = Bi lies: [(n-1)π, (n-1/2)π] for Bi >= 0,
// [(n-1/2)π, nπ] for Bi < 0.
inline std::pair<long double, long double> referenceInterval(double bi, int n)
{
    if (bi >= 0)
        return {(n - 1) * kPi, (n - 0.5L) * kPi};
    return {(n - 0.5L) * kPi, n * kPi};
}

// The root n by bisection in long double until the interval stops shrinking: slow, but
// independent of the searches under test.
inline double referenceRoot(double bi, int n)
{
    auto [low, high] = referenceInterval(bi, n);
    for (int i = 0; i < 20000; ++i) {
        const long double middle = (low + high) / 2;
        if (middle <= low || middle >= high)
            break;
        (middle * std::tan(middle) - bi < 0 ? low : high) = middle;
    }
    return static_cast<double>((low + high) / 2);
}
