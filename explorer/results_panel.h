// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "study.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace planewall {

// The results of the last study that had some: each value exact, by the one-term approximation
// and by the lumped one, with their errors against the exact value; a solve's answer first.
// A read-only table: one Tab stop, its cells read by screen readers and walked with the arrows.
class ResultsPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ResultsPanel(QWidget *parent = nullptr);

    void showResults(const StudyResults &results);
    // Marks the results as those of earlier inputs, with why.
    void setOutOfDate(const QString &why);
    void clearOutOfDate();

    QTableWidget *table() const { return m_table; }
    QPushButton *copyButton() const { return m_copy; }
    QLabel *statusLabel() const { return m_status; }

Q_SIGNALS:
    void copyRequested();

private:
    QLabel *m_status;
    QTableWidget *m_table;
    QPushButton *m_copy;
};

} // namespace planewall
