#include "form1.h"

#include "calculation.h"
#include "failure_report.h"
#include "form1_layout.h"
#include "result_box.h"
#include "result_box_sink.h"
#include "static_controls.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

namespace planewall {

namespace {

QWidget *createControl(const ControlRow &row, QWidget *parent)
{
    const QString caption = QString::fromUtf8(row.caption);
    QWidget *control = nullptr;
    switch (row.kind) {
    case ControlKind::Label:
        control = new StaticText(caption, row.placement, parent);
        break;
    case ControlKind::Line:
        control = new RuleLine(pixelLine(row), parent);
        break;
    case ControlKind::EntryBox: {
        auto *entry = new QLineEdit(caption, parent);
        // Unrestricted: a pasted number of any length is read as pasted.
        entry->setMaxLength(std::numeric_limits<int>::max());
        control = entry;
        break;
    }
    case ControlKind::ResultBox:
        control = new ResultBox(parent);
        break;
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, parent);
        // Neither command is the default or the cancel button: Enter and Escape press nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        control = button;
        break;
    }
    }
    control->setObjectName(QString::fromLatin1(row.name));
    if (row.kind != ControlKind::Line)
        control->setGeometry(pixelRect(row));
    if (row.style != TextStyle::None)
        control->setFont(styleFont(row.style));
    if (row.accessibleName)
        control->setAccessibleName(QString::fromUtf8(row.accessibleName));
    if (row.toolTip)
        control->setToolTip(QString::fromUtf8(row.toolTip));
    return control;
}

template<typename Control> Control *named(const QWidget *form, const char *name)
{
    auto *control = form->findChild<Control *>(QString::fromLatin1(name));
    Q_ASSERT_X(control, "Form1", name);
    return control;
}

std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), m_errorReport(showFailureMessage)
{
    setWindowTitle(QString::fromLatin1(kForm1Caption));
    resize(twipsToPixels(kForm1ClientTwips));

    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const ControlRow &row : form1Controls()) {
        QWidget *control = createControl(row, this);
        if (row.tabIndex >= 0)
            tabStops.emplace_back(row.tabIndex, control);
    }
    std::ranges::sort(tabStops, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    // The window opens with the focus on the first control in tab order.
    if (!tabStops.empty())
        tabStops.front().second->setFocus();

    m_entries = {named<QLineEdit>(this, "Text_h"), named<QLineEdit>(this, "Text_L"),
                 named<QLineEdit>(this, "Text_k")};
    m_results = {named<ResultBox>(this, "Label_bi"), named<ResultBox>(this, "Label_z1"),
                 named<ResultBox>(this, "Label_z2"), named<ResultBox>(this, "Label_z3"),
                 named<ResultBox>(this, "Label_z4")};

    connect(named<QPushButton>(this, "Command1"), &QPushButton::clicked, this, &Form1::calculate);
    connect(named<QPushButton>(this, "Command2"), &QPushButton::clicked, this,
            &QCoreApplication::quit);
}

void Form1::setErrorReport(ErrorReport report)
{
    m_errorReport = report ? std::move(report) : ErrorReport(showFailureMessage);
}

void Form1::calculate()
{
    const QByteArray h = m_entries[0]->text().toUtf8();
    const QByteArray L = m_entries[1]->text().toUtf8();
    const QByteArray k = m_entries[2]->text().toUtf8();
    ResultBoxSink sink(m_results);
    try {
        planewall::calculate(view(h), view(L), view(k), sink);
    } catch (const ArithmeticError &error) {
        m_errorReport(this, error);
    }
}

} // namespace planewall
