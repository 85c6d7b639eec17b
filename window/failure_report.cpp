// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "failure_report.h"

#include <QMessageBox>

namespace planewall {

QString failureMessage(const ArithmeticError &error)
{
    return QString::fromStdString(describeFailure(error));
}

void showFailureMessage(QWidget *window, const ArithmeticError &error)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calculation stopped"),
                    failureMessage(error), QMessageBox::Ok, window);
    box.setInformativeText(QStringLiteral("The calculation stopped at that step. The entry boxes "
                                          "keep their texts, and the result boxes keep what it "
                                          "wrote before."));
    box.exec();
}

} // namespace planewall
