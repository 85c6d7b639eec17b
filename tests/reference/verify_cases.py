#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: the planewall authors
#
# Writes cli/reference_cases.json, the cases `planewall-cli verify` checks itself against. The
# reference values of the worked problems are computed here with mpmath at 50 digits,
# independently of planewall's code: the roots by mpmath.findroot, the series summed to 1e-40,
# times and coefficients by mpmath.findroot on that series.
# Run (mpmath: Debian python3-mpmath): tests/reference/verify_cases.py > cli/reference_cases.json
import json
import mpmath as mp

mp.mp.dps = 50


def roots(bi, count=200):
    zs = []
    for n in range(1, count + 1):
        z = (n - mp.mpf(1) / 2) * mp.pi
        for _ in range(100):
            z = (n - 1) * mp.pi + mp.atan(bi / z)
        zs.append(mp.findroot(lambda z: z * mp.sin(z) - bi * mp.cos(z), z))
    return zs


def theta(bi, fo, x, zs):
    total = 0
    for z in zs:
        c = 4 * mp.sin(z) / (2 * z + mp.sin(2 * z))
        term = c * mp.exp(-z * z * fo)
        total += term * mp.cos(z * x)
        if abs(term) < mp.mpf(10) ** -40:
            break
    return total


def wall(L, k, rho, cp, h):
    return {'L': L, 'k': k, 'rho': rho, 'cp': cp, 'h': h}


def fo_of(w, t):
    return mp.mpf(w['k']) / (mp.mpf(w['rho']) * w['cp']) * t / mp.mpf(w['L']) ** 2


def temperature(w, ti, tinf, t, x):
    bi = mp.mpf(w['h']) * w['L'] / w['k']
    return tinf + (ti - tinf) * theta(bi, fo_of(w, t), mp.mpf(x) / w['L'], roots(bi))


def solve_t(w, ti, tinf, target, x):
    bi = mp.mpf(w['h']) * w['L'] / w['k']
    zs = roots(bi)
    th = (mp.mpf(target) - tinf) / (mp.mpf(ti) - tinf)
    fo = mp.findroot(lambda f: theta(bi, f, mp.mpf(x) / w['L'], zs) - th, (0.05, 50),
                     solver='anderson')
    return fo * mp.mpf(w['L']) ** 2 * mp.mpf(w['rho']) * w['cp'] / w['k']


def solve_h(w, ti, tinf, target, x, t):
    th = (mp.mpf(target) - tinf) / (mp.mpf(ti) - tinf)
    fo = fo_of(w, t)
    bi = mp.findroot(lambda b: theta(b, fo, mp.mpf(x) / w['L'], roots(b, 60)) - th, (0.1, 1),
                     solver='anderson')
    return bi * mp.mpf(w['k']) / w['L']


def num(value):
    return float(mp.nstr(value, 17))


HOW = ('mpmath 50 digits: roots of z sin z - Bi cos z by findroot, the series summed to 1e-40, '
       'solved by findroot (tests/reference/verify_cases.py)')
TABLE = ('Published tables of the first roots of z tan z = Bi and of C1, to 4 decimals '
         '(Incropera, DeWitt, Bergman, Lavine, Fundamentals of Heat and Mass Transfer, 6th ed., '
         'Table 5.1 and Appendix B.3)')

cases = []
for bi, zetas, c1 in [(0.1, [0.3111, 3.1731, 6.2991, 9.4354], 1.0161),
                      (1, [0.8603, 3.4256, 6.4373, 9.5293], 1.1191),
                      (10, [1.4289, 4.3058, 7.2281, 10.2003], 1.2620)]:
    for n, z in enumerate(zetas, 1):
        cases.append({'name': 'zeta%d at Bi %g' % (n, bi), 'kind': 'root', 'Bi': bi, 'n': n,
                      'reference': z, 'tolerance': 5e-5, 'source': TABLE})
    cases.append({'name': 'C1 at Bi %g' % bi, 'kind': 'coefficient', 'Bi': bi, 'n': 1,
                  'reference': c1, 'tolerance': 5e-5, 'source': TABLE})
cases.append({'name': 'C1 -> 4/pi as Bi -> infinity', 'kind': 'coefficient', 'Bi': 1e12, 'n': 1,
              'reference': num(4 / mp.pi), 'tolerance': 1e-11,
              'source': 'Limit of Cn = 4 sin zn / (2 zn + sin 2 zn) with zn -> (n - 1/2) pi; '
                        'C1 at Bi = 1e12 differs from it by about 1e-12'})
for bi, fo in [(1, 1e-8), (100, 1e-6)]:
    beta = bi * mp.sqrt(fo)
    cases.append({'name': 'surface at Bi %g, Fo %g: semi-infinite limit' % (bi, fo),
                  'kind': 'theta', 'Bi': bi, 'Fo': fo, 'x': 1,
                  'reference': num(mp.exp(beta ** 2) * mp.erfc(beta)), 'tolerance': 1e-12,
                  'source': 'Surface of a semi-infinite solid with convection, '
                            'exp(b^2) erfc(b) with b = Bi sqrt(Fo) (Carslaw and Jaeger, '
                            'Conduction of Heat in Solids, 2nd ed., 2.7 (1)); the far face '
                            'changes it by less than erfc(1/sqrt Fo)'})
brass = wall(0.02, 110, 8530, 380, 120)
for where, x in [('surface', 0.02), ('centre', 0)]:
    cases.append({'name': 'brass plate, %s after 7 min' % where, 'kind': 'temperature',
                  'wall': brass, 'Ti': 20, 'Tinf': 500, 't': 420, 'x': x,
                  'reference': num(temperature(brass, 20, 500, 420, x)), 'tolerance': 1e-6,
                  'source': 'Textbook problem: a brass plate 40 mm thick, heated in a furnace '
                            '(L = 20 mm, k = 110, rho = 8530, cp = 380, h = 120, Tinf = 500 C, '
                            'Ti = 20 C); the textbook answers about 280 C from one term',
                  'how': HOW})
steel = wall(0.05, 48, 7830, 550, 250)
cases.append({'name': 'steel plate centre reaches 550 C', 'kind': 'solve_t', 'wall': steel,
              'Ti': 200, 'Tinf': 800, 'target': 550, 'x': 0,
              'reference': num(solve_t(steel, 200, 800, 550, 0)), 'tolerance': 1e-9,
              'source': 'Textbook problem: a steel plate 100 mm thick in a furnace '
                        '(k = 48, rho = 7830, cp = 550, h = 250, Ti = 200 C, Tinf = 800 C)',
              'how': HOW})
cases.append({'name': 'steel plate centre at 857.0021 s', 'kind': 'temperature', 'wall': steel,
              'Ti': 200, 'Tinf': 800, 't': 857.0021, 'x': 0,
              'reference': num(temperature(steel, 200, 800, 857.0021, 0)), 'tolerance': 1e-6,
              'source': 'The same plate, the temperature at the time found above', 'how': HOW})
brick = wall(0.15, 1.5, 2600, 1000, 100)
cases.append({'name': 'fireclay wall centre reaches 750 C', 'kind': 'solve_t', 'wall': brick,
              'Ti': 20, 'Tinf': 950, 'target': 750, 'x': 0,
              'reference': num(solve_t(brick, 20, 950, 750, 0)), 'tolerance': 1e-9,
              'source': 'Textbook problem: a refractory wall 300 mm thick heated from both faces '
                        '(k = 1.5, rho = 2600, cp = 1000, h = 100, Ti = 20 C, Tinf = 950 C)',
              'how': HOW})
pipe = wall(0.04, 63.9, 7832, 434, None)
pipe_h = solve_h(pipe, -20, 60, 43.016241, 0, 480)
cases.append({'name': 'pipeline wall: h from the mid-plane at 8 min', 'kind': 'solve_h',
              'wall': pipe, 'Ti': -20, 'Tinf': 60, 'target': 43.016241, 'x': 0, 't': 480,
              'reference': num(pipe_h), 'tolerance': 1e-8,
              'source': 'Textbook problem: a steel pipeline wall 40 mm thick, oil at 60 C, '
                        'initially at -20 C (k = 63.9, rho = 7832, cp = 434); the target is '
                        'the mid-plane temperature that h = 500 gives after 8 min, to 8 digits',
              'how': HOW})
print(json.dumps({'about': 'Reference cases of planewall-cli verify; written by '
                           'tests/reference/verify_cases.py',
                  'cases': cases}, indent=1))
