#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: the planewall authors
#
"""Start-up times of the windows against a bare Qt Widgets window.

Each program runs with bench/startup_probe.cpp loaded, which ends it the moment its first
window is exposed; its wall time from exec to exit is its start-up (its processor time, user
and system, is given beside it: steadier on a busy machine, though it leaves out the X
server's share). The programs run in turn, round after round, so that a busy machine slows
them alike, and the medians are compared:

  bare      a bare QWidget of Form1's size (planewall_bare_window)
  form1     planewall: the calculator, the explorer not loaded
  charts    planewall linked with Qt Charts (and so the OpenGL libraries) though it never uses
            them: what Form1 would cost had the explorer been linked into the program
  explorer  planewall --explorer: the plugin loaded, the window built and its first study run

Run under X (xvfb-run -a -s "-screen 0 1920x1200x24" bench/startup.py BUILD_DIR [ROUNDS
[OTHER_PLANEWALL]]) for what a user sees, or with QT_QPA_PLATFORM=offscreen. BUILD_DIR is a
build with the benchmarks (build/release from the bench preset, or build/test); OTHER_PLANEWALL,
another build's planewall (an earlier version, say), is measured beside them as "other".
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time


def wait_with_limit(process, name, seconds=20):
    """Its exit status and resource usage; a program that never shows its window is killed and
    named, rather than stalling the whole measurement."""
    deadline = time.monotonic() + seconds
    while True:
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid:
            return status, usage
        if time.monotonic() > deadline:
            process.kill()
            process.wait()
            sys.exit(f'{name} did not show its window within {seconds} s')
        time.sleep(0.001)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build/release')
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 100
    programs = {
        'bare': [f'{build}/bench/planewall_bare_window'],
        'form1': [f'{build}/window/planewall'],
        'charts': [f'{build}/bench/planewall_charts_linked'],
        'explorer': [f'{build}/window/planewall', '--explorer'],
    }
    if len(sys.argv) > 3:
        programs['other'] = [os.path.abspath(sys.argv[3])]
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ)
        env['QT_PLUGIN_PATH'] = f'{build}/bench/probe'
        env['QT_QPA_GENERIC_PLUGINS'] = 'planewall_startup_probe'
        # A fresh home: the explorer starts from its own first inputs, as on a first run.
        env['HOME'] = home
        env['XDG_CONFIG_HOME'] = os.path.join(home, 'config')
        env.setdefault('XDG_RUNTIME_DIR', home)
        wall = {name: [] for name in programs}
        cpu = {name: [] for name in programs}
        order = list(programs.items())
        for round_ in range(rounds + 2):
            # A new order each round, so that no program always follows the same one.
            random.shuffle(order)
            for name, command in order:
                start = time.perf_counter()
                process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
                status, usage = wait_with_limit(process, name)
                elapsed = time.perf_counter() - start
                process.returncode = os.waitstatus_to_exitcode(status)
                if process.returncode != 0:
                    sys.exit(f'{name} exited with {process.returncode}')
                if round_ >= 2:  # the first rounds fill the file cache
                    wall[name].append(elapsed)
                    cpu[name].append(usage.ru_utime + usage.ru_stime)
    print(f'{"program":10} {"wall ms":>9} {"ratio":>7} {"cpu ms":>9} {"ratio":>7}'
          f'   (medians of {rounds} rounds)')
    for name in programs:
        w = statistics.median(wall[name])
        c = statistics.median(cpu[name])
        print(f'{name:10} {w * 1000:9.1f} {w / statistics.median(wall["bare"]):7.3f}'
              f' {c * 1000:9.1f} {c / statistics.median(cpu["bare"]):7.3f}')


if __name__ == '__main__':
    main()
