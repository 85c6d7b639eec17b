// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QString>

namespace planewall {

// Qt shows a plain-text tool tip as one line per line of its text, however wide; these are the
// lines the window's tool tips get instead.
inline constexpr int kToolTipLineLength = 60;

// `text` broken into lines of at most kToolTipLineLength characters: at blanks where it can be,
// and every kToolTipLineLength characters inside a longer word (a long number). Its own line
// breaks stay.
QString wrapToolTip(const QString &text);

} // namespace planewall
