// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "arithmetic_error.h"

#include <QString>

class QWidget;

namespace planewall {

// The report of a run stopped by an arithmetic error: the kind, and where the step is known, its
// cause in the user's terms: "Division by zero, because k is 0."
QString failureMessage(const ArithmeticError &error);

// Shows the report in a modal message box over `window` and returns when it is dismissed.
void showFailureMessage(QWidget *window, const ArithmeticError &error);

} // namespace planewall
