// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "form1.h"

#include "failure_report.h"
#include "link_label.h"
#include "number_text.h"
#include "result_box.h"
#include "result_box_sink.h"
#include "static_controls.h"
#include "tool_tip.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace planewall {

namespace {

// The labels of the fields that Ctrl+Shift+C copies, by Slot; the command line's as well.
constexpr const char *kCopyLabels[] = {"Bi", "zeta1", "zeta2", "zeta3", "zeta4"};
static_assert(std::size(kCopyLabels) == kAllSlots.size());

QKeySequence copyResultsKey()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
}

// Makes the control of one layout row and, for the controls Form1 works with, keeps it in
// `controls` under the row's index.
QWidget *createControl(const ControlRow &row, QWidget *parent, Form1Controls &controls)
{
    const QString caption = QString::fromUtf8(row.caption);
    const auto index = static_cast<std::size_t>(row.index);
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
        controls.entries.at(index) = entry;
        control = entry;
        break;
    }
    case ControlKind::ResultBox: {
        auto *box = new ResultBox(parent);
        box->setHelp(QStringLiteral("%1 copies all five results.")
                         .arg(copyResultsKey().toString(QKeySequence::NativeText)));
        controls.results.at(index) = box;
        control = box;
        break;
    }
    case ControlKind::Link: {
        auto *link = new LinkLabel(caption, QStringLiteral("explorer"), parent);
        controls.explorerLink = link;
        control = link;
        break;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, parent);
        // Neither command is the default or the cancel button: Enter and Escape press nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        controls.commands.at(index) = button;
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
        control->setToolTip(wrapToolTip(QString::fromUtf8(row.toolTip)));
    return control;
}

std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

// A title bar with the system menu, minimise and close, and no maximise: the controls sit where
// the table puts them, so a larger window would only add empty space.
Form1::Form1(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_errorReport(showFailureMessage)
{
    setWindowTitle(QString::fromLatin1(kForm1Caption));
    // In device-independent pixels, which Qt's high-DPI scaling scales with everything else.
    setFixedSize(twipsToPixels(kForm1ClientTwips));

    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const ControlRow &row : form1Controls()) {
        QWidget *control = createControl(row, this, m_controls);
        if (row.tabIndex >= 0)
            tabStops.emplace_back(row.tabIndex, control);
    }
    std::ranges::sort(tabStops, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    // The window opens with the focus on the first control in tab order, its text selected as
    // Tab would leave it, so that what the user types replaces it.
    if (!tabStops.empty()) {
        tabStops.front().second->setFocus();
        if (auto *entry = qobject_cast<QLineEdit *>(tabStops.front().second))
            entry->selectAll();
    }

    connect(m_controls.command(Command::Calculate), &QPushButton::clicked, this, &Form1::calculate);
    connect(m_controls.command(Command::Quit), &QPushButton::clicked, this,
            &QCoreApplication::quit);
    auto *copyAll = new QShortcut(copyResultsKey(), this);
    connect(copyAll, &QShortcut::activated, this, &Form1::copyResults);
    if (m_controls.explorerLink)
        connect(m_controls.explorerLink, &QLabel::linkActivated, this, &Form1::requestExplorer);
}

void Form1::setErrorReport(ErrorReport report)
{
    m_errorReport = report ? std::move(report) : ErrorReport(showFailureMessage);
}

void Form1::changeEvent(QEvent *event)
{
    // Some window managers maximise even a window of fixed size; it goes back to its own.
    if (event->type() == QEvent::WindowStateChange
        && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    QWidget::changeEvent(event);
}

void Form1::calculate()
{
    const QByteArray h = m_controls.entry(Entry::H)->text().toUtf8();
    const QByteArray L = m_controls.entry(Entry::L)->text().toUtf8();
    const QByteArray k = m_controls.entry(Entry::K)->text().toUtf8();
    ResultBoxSink sink(m_controls.results);
    std::optional<ArithmeticError> failure;
    try {
        planewall::calculate(view(h), view(L), view(k), sink);
    } catch (const ArithmeticError &error) {
        failure = error;
    }
    sink.announceChanges();
    if (failure)
        m_errorReport(this, *failure);
}

void Form1::requestExplorer()
{
    constexpr std::pair<Entry, FailedStep> kBoxes[] = {{Entry::H, FailedStep::ReadH},
                                                       {Entry::L, FailedStep::ReadL},
                                                       {Entry::K, FailedStep::ReadK}};
    std::array<CalculatorBox, 3> hLk;
    for (std::size_t i = 0; i < hLk.size(); ++i) {
        const QByteArray text = m_controls.entry(kBoxes[i].first)->text().toUtf8();
        try {
            hLk[i].value = readNumber(view(text), kBoxes[i].second);
        } catch (const ArithmeticError &) {
            hLk[i].text = text.toStdString(); // beyond the range of numbers: shown as typed
        }
    }
    Q_EMIT explorerRequested(hLk);
}

void Form1::copyResults() const
{
    QStringList fields;
    for (const Slot slot : kAllSlots) {
        fields << QString::fromLatin1(kCopyLabels[static_cast<std::size_t>(slot)])
               << m_controls.result(slot)->text();
    }
    QGuiApplication::clipboard()->setText(fields.join(u'\t'));
}

} // namespace planewall
