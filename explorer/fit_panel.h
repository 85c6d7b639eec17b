// SPDX-FileCopyrightText: the planewall authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "study_fit.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace planewall {

class ChartView;

// Beneath the T(t) chart while readings are loaded for a fit: the residuals' chart, the fitted
// h with its interval and the other facts of the fit, its notes and warnings, and the commands
// that put h into the inputs and take the fit away. A file that could not be read shows its
// message here and leaves the fit before it in place. It shows what it is given and keeps
// nothing of its own.
class FitPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FitPanel(QWidget *parent = nullptr);

    // The fit of the readings in `file` (its name), or why there is none.
    void showFit(const QString &file, const StudyFit &fit);
    // Nothing shown: no readings are loaded.
    void clear();
    // A file that could not be read, with why; whatever fit was shown stays.
    void showProblem(const QString &message);
    // Marks the fit as that of earlier inputs (the inputs now have errors).
    void setOutOfDate(bool outOfDate);
    // Whether the fitted h can go into the inputs (not while h is solved for).
    void setApplicable(bool applicable);

    // The unit of times the file gives without one: "s", "min" or "h".
    QString plainTimeUnit() const;

    ChartView *residualView() const { return m_residuals; }
    QLabel *heading() const { return m_heading; }
    QLabel *summary() const { return m_summary; }
    QLabel *problem() const { return m_problem; }
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *clearButton() const { return m_clear; }
    QComboBox *timeUnitChooser() const { return m_timeUnit; }
    // The panel's controls in reading order, for the window's Tab chain.
    std::vector<QWidget *> tabOrder() const;

Q_SIGNALS:
    void applyRequested();
    void clearRequested();
    void plainTimeUnitChosen();

protected:
    void changeEvent(QEvent *event) override;

private:
    void styleProblem();

    ChartView *m_residuals;
    QLabel *m_heading;
    QLabel *m_summary;
    QLabel *m_problem;
    QComboBox *m_timeUnit;
    QPushButton *m_apply;
    QPushButton *m_clear;
    bool m_hasResult = false;
    bool m_applicable = true;
};

} // namespace planewall
