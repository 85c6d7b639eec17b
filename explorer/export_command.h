// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QStringList>

#include <iosfwd>

namespace planewall {

// planewall --export-chart profile|history|energy|heisler -o FILE.svg|FILE.png [options]:
// one chart written without a window. The problem is given as for planewall-cli temperature:
// dimensional (--L --k --alpha | --rho --cp | --material, --h --ti --tinf --t [--x]), each value
// with an optional unit ("50mm", "20C"), or dimensionless (--bi --fo [--x]), whose axes are then
// x*, Fo and θ*; the Heisler chart needs only Bi (--bi, or --h --L --k). --size WxH (800x600 by
// default) sets the image's size in pixels and --csv FILE writes the chart's points too.
//
// Returns the exit status: 0 when every file was written, 1 when one could not be, 2 for bad
// options (with a message on `err`).
int runExportCommand(const QStringList &arguments, std::ostream &out, std::ostream &err);

} // namespace planewall
