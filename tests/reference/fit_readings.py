#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: the planewall authors
#
# Readings for the fit's tests, computed with mpmath at 40 significant digits, independently of
# planewall's own code: the pipeline wall (L = 40 mm, k = 63.9 W/mK, rho = 7832 kg/m3,
# c_p = 434 J/kgK, Ti = -20 C, Tinf = 60 C), a reading every 10 s from 0 to 8 min.
#  - the series theta = sum Cn exp(-zn^2 Fo) cos(zn x*) with the roots of z tan z = Bi by
#    mpmath.findroot, summed until its terms fall below 1e-30 (Fo >= 0.117 at every reading
#    after t = 0, so the series converges fast); the mean with sin(zn)/zn for cos(zn x*);
#  - Bi = +inf with zn = (n - 1/2) pi;
#  - one set with noise: Python's random.gauss(0, 0.1) from a fixed seed, the temperatures then
#    rounded to 1e-6 K as a logger writes them. For it, the least-squares fit of ln h by
#    Newton's method on the derivative of the sum of squares, J = dT/d(ln h) by mpmath.diff, the
#    95% interval exp(ln h -+ t sqrt(s^2 / sum J^2)) with s^2 = S/(n - 1) and t the 97.5%
#    quantile of Student's t with n - 1 degrees of freedom (the regularized incomplete beta
#    function solved for it), and the RMS residual sqrt(S/n);
#  - the largest |h dT/dh| over the noise-free centre readings at h = 500 and its time.
# Output (stdout), read by tests/core/fit_test.cpp:
#   reading CASE t T           (one line per reading)
#   value   CASE NAME VALUE    (reference results)
# Run (mpmath: Debian python3-mpmath): tests/reference/fit_readings.py > tests/reference/fit_readings.tsv
import random
import mpmath as mp

mp.mp.dps = 40
L = mp.mpf('0.04')
K = mp.mpf('63.9')
RHO_CP = mp.mpf(7832) * 434
ALPHA = K / RHO_CP
TI, TINF = mp.mpf(-20), mp.mpf(60)
TIMES = [10 * i for i in range(49)]


def roots(bi, count=60):
    zs = []
    for n in range(1, count + 1):
        if mp.isinf(bi):
            zs.append((n - mp.mpf(1) / 2) * mp.pi)
            continue
        z = (n - mp.mpf(3) / 4) * mp.pi
        for _ in range(60):
            z = (n - 1) * mp.pi + mp.atan(bi / z)
        f = lambda v: v * mp.sin(v) - bi * mp.cos(v)
        zs.append(mp.findroot(f, z))
    return zs


def theta(zs, fo, x=None):
    # x None: the mean over the wall.
    total = mp.mpf(0)
    for z in zs:
        c = 4 * mp.sin(z) / (2 * z + mp.sin(2 * z))
        shape = mp.sin(z) / z if x is None else mp.cos(z * x)
        term = c * shape * mp.exp(-z * z * fo)
        total += term
        if abs(term) < mp.mpf(10) ** -30 and z > 5:
            break
    return total


def temperatures(h, x=None):
    bi = mp.inf if mp.isinf(h) else h * L / K
    zs = roots(bi)
    out = []
    for t in TIMES:
        fo = ALPHA * t / (L * L)
        th = mp.mpf(1) if t == 0 else theta(zs, fo, x)
        out.append(TINF + th * (TI - TINF))
    return out


def emit(case, values):
    for t, T in zip(TIMES, values):
        print(f"reading\t{case}\t{t}\t{mp.nstr(T, 20)}")


emit('centre500', temperatures(mp.mpf(500), 0))
emit('mean500', temperatures(mp.mpf(500), None))
emit('x30mm500', temperatures(mp.mpf(500), mp.mpf('0.03') / L))
emit('centre2e5', temperatures(mp.mpf(200000), 0))
emit('centreInf', temperatures(mp.inf, 0))

# Sensitivity of the noise-free centre readings: |dT/d(ln h)| at h = 500.
def centre_at(u):
    return temperatures(mp.exp(u), 0)

u500 = mp.log(500)
slopes = [abs(mp.diff(lambda u, i=i: centre_at(u)[i], u500)) for i in range(len(TIMES))]
best = max(range(len(TIMES)), key=lambda i: slopes[i])
print(f"value\tcentre500\tsensitivity\t{mp.nstr(slopes[best], 20)}")
print(f"value\tcentre500\tsensitivity_t\t{TIMES[best]}")

# The noisy set and its fit.
rng = random.Random(20240601)
clean = temperatures(mp.mpf(500), 0)
noisy = [mp.mpf(round(float(T) + (rng.gauss(0, 0.1) if t > 0 else 0.0), 6))
         for t, T in zip(TIMES, clean)]
emit('noisy500', noisy)


def sum_of_squares(u):
    return mp.fsum((m - y) ** 2 for m, y in zip(centre_at(u), noisy))


u = u500
for _ in range(20):
    d1 = mp.diff(sum_of_squares, u, 1)
    d2 = mp.diff(sum_of_squares, u, 2)
    step = d1 / d2
    u -= step
    if abs(step) < mp.mpf(10) ** -25:
        break
n = len(TIMES)
S = sum_of_squares(u)
J = [mp.diff(lambda v, i=i: centre_at(v)[i], u) for i in range(n)]
s2 = S / (n - 1)
se = mp.sqrt(s2 / mp.fsum(j * j for j in J))
nu = n - 1
cdf = lambda t: 1 - mp.betainc(mp.mpf(nu) / 2, mp.mpf(1) / 2, 0, nu / (nu + t * t),
                               regularized=True) / 2
tq = mp.findroot(lambda t: cdf(t) - mp.mpf('0.975'), 2)
print(f"value\tnoisy500\th\t{mp.nstr(mp.exp(u), 20)}")
print(f"value\tnoisy500\th_low\t{mp.nstr(mp.exp(u - tq * se), 20)}")
print(f"value\tnoisy500\th_high\t{mp.nstr(mp.exp(u + tq * se), 20)}")
print(f"value\tnoisy500\trms\t{mp.nstr(mp.sqrt(S / n), 20)}")
print(f"value\tnoisy500\tt95\t{mp.nstr(tq, 20)}")
