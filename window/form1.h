// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

// Form1, the calculator's only window.
//
// How data flows: nothing is computed until Command1 ("Calculate") is clicked. Then the texts of
// Text_h, Text_L and Text_k go, exactly as typed, to planewall::calculate(), which reads them as
// numbers, and writes Bi and every Newton iterate of the four roots, already formatted, into a
// ResultBoxSink made for that one run; the sink puts each text into its result box (Label_bi,
// Label_z1 … Label_z4) the moment it arrives. The run holds the window's only thread until it
// ends, so the window is painted again, and assistive technology told of the new texts, only
// then: what the user sees is each box's last text. The window does no arithmetic and keeps no
// numbers: the boxes' texts are all that stays from one run to the next. An ArithmeticError that
// stops a run goes to the error report, and the window carries on with whatever the run had
// written. Command2 ("Quit") and the close command end the program; Ctrl+Shift+C copies the five
// results as one line. The link "Temperatures and charts…" (only when the program is built with
// the explorer) hands the three boxes, read by the calculator's rule, to whoever opens the
// explorer; Form1 itself knows nothing of it.
//
// The controls are built from form1Controls(), the form's layout table, and kept as they are
// made. The window has the table's size and keeps it.

#include "arithmetic_error.h"
#include "calculation.h"
#include "explorer_interface.h"
#include "form1_layout.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace planewall {

class ResultBox;

// The controls Form1 works with, as the layout table made them.
struct Form1Controls
{
    std::array<QLineEdit *, kEntryCount> entries{};
    std::array<ResultBox *, kAllSlots.size()> results{};
    std::array<QPushButton *, kCommandCount> commands{};
    QLabel *explorerLink = nullptr; // "Temperatures and charts…", when built with the explorer

    QLineEdit *entry(Entry which) const { return entries[static_cast<std::size_t>(which)]; }
    ResultBox *result(Slot slot) const { return results[static_cast<std::size_t>(slot)]; }
    QPushButton *command(Command which) const { return commands[static_cast<std::size_t>(which)]; }
};

class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Called with the window when a run stops on an arithmetic error; returns when the user has
    // seen the report. The default is showFailureMessage(), a modal message box.
    using ErrorReport = std::function<void(QWidget *window, const ArithmeticError &error)>;

    explicit Form1(QWidget *parent = nullptr);

    void setErrorReport(ErrorReport report);
    const Form1Controls &controls() const { return m_controls; }

Q_SIGNALS:
    // The link "Temperatures and charts…": the three entry boxes as the calculator reads them,
    // h, L and k, for the explorer to take in SI units.
    void explorerRequested(const std::array<planewall::CalculatorBox, 3> &hLk);

protected:
    void changeEvent(QEvent *event) override;

private:
    // Command1: one calculation run from the entry texts into the result boxes.
    void calculate();
    // The link: reads the boxes by the calculator's rule ("1,5" reads 1) and asks for the
    // explorer.
    void requestExplorer();
    // Ctrl+Shift+C: the results as one line, "Bi<TAB>1.00<TAB>zeta1<TAB>0.8603<TAB>…", each
    // text as its box holds it, an empty box an empty field.
    void copyResults() const;

    Form1Controls m_controls;
    ErrorReport m_errorReport;
};

} // namespace planewall
