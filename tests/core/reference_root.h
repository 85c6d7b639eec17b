#pragma once

#include <cmath>

// The root n of z·tan z = Bi in its interval ([(n-1)π, (n-1/2)π] for Bi >= 0, [(n-1/2)π, nπ]
// for Bi < 0), by bisection in long double until the interval stops shrinking: slow, but
// independent of the searches under test.
inline double referenceRoot(double bi, int n)
{
    const long double pi = 3.141592653589793238462643383279502884L;
    long double low = bi >= 0 ? (n - 1) * pi : (n - 0.5L) * pi;
    long double high = bi >= 0 ? (n - 0.5L) * pi : n * pi;
    for (int i = 0; i < 20000; ++i) {
        const long double middle = (low + high) / 2;
        if (middle <= low || middle >= high)
            break;
        (middle * std::tan(middle) - bi < 0 ? low : high) = middle;
    }
    return static_cast<double>((low + high) / 2);
}
