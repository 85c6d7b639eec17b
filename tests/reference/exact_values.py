#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: the planewall authors
#
# Reference values of the plane wall's exact solution, computed with mpmath at 60 (or, for the
# largest Bi, 360) significant digits, independently of planewall's own code:
#  - the roots of z tan z = Bi by mpmath.findroot (bisection-safe 'anderson' on each root's
#    interval), the series summed until its terms fall below 1e-45, for Fo >= 0.02;
#  - below Fo = 0.02, each face as the face of a semi-infinite solid with convection,
#    exp(Bi s + Bi^2 Fo) erfc(s/(2 sqrt Fo) + Bi sqrt Fo), which leaves out less than
#    erfc(1/sqrt Fo) < 2e-23 there (1e-400 below Fo = 1e-3): not all of 1 - theta where that
#    is tiny, and not the series' 1e-45 either, but far below what a double holds of theta.
# Between Fo = 0.02 and 0.05 both are computed and must agree to erfc(1/sqrt Fo) (checked here).
# The one-term values are the first term of the series.
# Output (stdout): tab-separated rows, read by tests/core/exact_solution_test.cpp:
#   theta  Bi x Fo  theta deficit ln(theta) one-term-theta
#   energy Bi Fo    Q/Q0 mean flux one-term-Q/Q0 ln(mean)
# (deficit = 1 - theta to full relative precision, mean = 1 - Q/Q0, flux = -dtheta/dx at x = 1)
# Run (mpmath: Debian python3-mpmath): tests/reference/exact_values.py > tests/reference/exact_values.tsv
import sys
import mpmath as mp

BIS = ['0', '1e-6', '0.1', '1', '10', '1e3', '1e300']
FOS = ['1e-12', '1e-9', '1e-6', '1e-3', '0.01', '0.024', '0.026', '0.03', '0.05', '0.2', '1',
       '10', '100', '300']
XS = ['0', '0.5', '0.9', '0.9999', '1']


def roots(bi, count):
    zs = []
    for n in range(1, count + 1):
        if bi == 0:
            zs.append((n - 1) * mp.pi)
            continue
        lo, hi = (n - 1) * mp.pi, (n - mp.mpf(1) / 2) * mp.pi
        # z sin z - Bi cos z has no poles; it rises through 0 once in [lo, hi].
        f = lambda z: z * mp.sin(z) - bi * mp.cos(z)
        # A start close to the root: z = (n - 1)pi + atan(Bi / z), iterated.
        z = (lo + hi) / 2
        for _ in range(60):
            z = (n - 1) * mp.pi + mp.atan(bi / z)
        z = mp.findroot(f, z, verify=False)
        assert lo <= z <= hi and abs(f(z)) <= mp.mpf(10) ** (-mp.mp.dps + 20) * (1 + bi), (n, z)
        zs.append(z)
    return zs


def series(bi, fo, x, zs):
    theta = q = flux = mp.mpf(0)
    for z in zs:
        if bi == 0:
            c = 1 if z == 0 else 0
            soz = 1
        else:
            c = 4 * mp.sin(z) / (2 * z + mp.sin(2 * z))
            soz = mp.sin(z) / z
        e = mp.exp(-z * z * fo)
        theta += c * e * mp.cos(z * x)
        q += c * soz * e
        flux += c * z * mp.sin(z) * e
        if abs(c) * e < mp.mpf(10) ** -45 and z > 1:
            break
    return theta, 1 - q, q, flux


def one_term(bi, fo, x, z):
    # C1 exp(-z1^2 Fo) cos(z1 x), or with x None the mean C1 (sin z1 / z1) exp(-z1^2 Fo).
    if bi == 0:
        return mp.mpf(1)
    c = 4 * mp.sin(z) / (2 * z + mp.sin(2 * z))
    return c * mp.exp(-z * z * fo) * (mp.sin(z) / z if x is None else mp.cos(z * x))


def erfcx(z):
    # exp(z^2) erfc(z). mpmath's erfc turns a huge argument into a float on the way, so there
    # its asymptotic series is used, exact to 1e-60 relative for z > 1e20.
    if z < 1e20:
        return mp.exp(z * z) * mp.erfc(z)
    return 1 / (z * mp.sqrt(mp.pi)) * (1 - 1 / (2 * z * z) + 3 / (4 * z ** 4))


def face(bi, fo, s):
    # erfc(xi) - exp(Bi s + Bi^2 Fo) erfc(xi + beta); with Bi s = 2 xi beta the exponent is
    # (xi + beta)^2 - xi^2 exactly, which keeps it finite in any precision at Bi = 1e300.
    if bi == 0:
        return 0  # no heat crosses the face: exactly 0, which the difference only nearly is
    xi = s / (2 * mp.sqrt(fo))
    beta = bi * mp.sqrt(fo)
    return mp.erfc(xi) - mp.exp(-xi * xi) * erfcx(xi + beta)


def semi(bi, fo, x):
    deficit = face(bi, fo, 1 - x) + face(bi, fo, 1 + x)
    beta = bi * mp.sqrt(fo)
    energy = 0 if bi == 0 else (erfcx(beta) - 1 + 2 * beta / mp.sqrt(mp.pi)) / bi
    flux = bi * erfcx(beta)
    return 1 - deficit, deficit, energy, flux


def main():
    out = sys.stdout
    for bis in BIS:
        mp.mp.dps = 360 if bis == '1e300' else 60
        # Every input is the double nearest its text, as the code under test gets it.
        bi = mp.mpf(float(bis))
        zs = roots(bi, 130)
        for fos in FOS:
            fo = mp.mpf(float(fos))
            for xs in XS:
                x = mp.mpf(float(xs))
                if fo >= mp.mpf('0.02'):
                    theta, _, q, flux = series(bi, fo, x, zs)
                    deficit = 1 - theta
                    if fo <= mp.mpf('0.05'):
                        t2, d2, q2, f2 = semi(bi, fo, x)
                        assert abs(t2 - theta) <= mp.erfc(1 / mp.sqrt(fo)) + mp.mpf('1e-42'), (bis, fos, xs, t2 - theta)
                else:
                    theta, deficit, q, flux = semi(bi, fo, x)
                out.write('theta\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' % (
                    bis, xs, fos, mp.nstr(theta, 20), mp.nstr(deficit, 20),
                    mp.nstr(mp.log(theta), 20) if theta > 0 else '-inf',
                    mp.nstr(one_term(bi, fo, x, zs[0]), 20)))
            if fo >= mp.mpf('0.02'):
                _, q, mean, flux = series(bi, fo, 0, zs)
            else:
                _, _, q, flux = semi(bi, fo, 0)
                mean = 1 - q
            out.write('energy\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' % (
                bis, fos, mp.nstr(q, 20), mp.nstr(mean, 20), mp.nstr(flux, 20),
                mp.nstr(1 - one_term(bi, fo, None, zs[0]), 20),
                mp.nstr(mp.log(mean), 20) if mean > 0 else '-inf'))


main()
