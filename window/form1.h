#pragma once

// Form1, the calculator's only window.
//
// How data flows: nothing is computed until Command1 ("Calculate") is clicked. Then the texts of
// Text_h, Text_L and Text_k go, exactly as typed, to planewall::calculate(), which reads them as
// numbers, and writes Bi and every Newton iterate of the four roots, already formatted, into a
// ResultBoxSink made for that one run; the sink puts each text into its result box (Label_bi,
// Label_z1 … Label_z4) the moment it arrives. The window does no arithmetic and keeps no
// numbers: the boxes' texts are all that stays from one run to the next. An ArithmeticError that
// stops a run goes to the error report, and the window carries on with whatever the run had
// written. Command2 ("Quit") and the close command end the program.
//
// The controls are built from form1Controls(), the form's layout table; each carries its name
// from that table as its object name ("Text_h", "Label3(0)", ...).

#include "arithmetic_error.h"

#include <QWidget>

#include <array>
#include <functional>

class QLineEdit;

namespace planewall {

class ResultBox;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Called with the window when a run stops on an arithmetic error; returns when the user has
    // seen the report. The default is showFailureMessage(), a modal message box.
    using ErrorReport = std::function<void(QWidget *window, const ArithmeticError &error)>;

    explicit Form1(QWidget *parent = nullptr);

    void setErrorReport(ErrorReport report);

private:
    // Command1: one calculation run from the entry texts into the result boxes.
    void calculate();

    std::array<QLineEdit *, 3> m_entries{}; // h, L, k
    std::array<ResultBox *, 5> m_results{}; // indexed by Slot
    ErrorReport m_errorReport;
};

} // namespace planewall
