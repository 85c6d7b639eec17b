// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QIcon>

namespace planewall {

// The program's icon: a plane wall losing heat to the fluid on both faces. The same drawing as
// planewall.svg, which the desktop entry uses; painted here because Qt reads SVG only through a
// module the window does not otherwise need.
QIcon appIcon();

} // namespace planewall
