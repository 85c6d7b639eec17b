// SPDX-FileCopyrightText: the planewall authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fit_panel.h"

#include "chart_view.h"
#include "quantity.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace planewall {

namespace {

QString lines(const std::vector<std::string> &texts, const QString &prefix = {})
{
    QStringList out;
    for (const std::string &text : texts)
        out.append(prefix + QString::fromStdString(text));
    return out.join(QLatin1Char('\n'));
}

} // namespace

FitPanel::FitPanel(QWidget *parent)
    : QWidget(parent), m_residuals(new ChartView(this)), m_heading(new QLabel(this)),
      m_summary(new QLabel(this)), m_problem(new QLabel(this)), m_timeUnit(new QComboBox(this)),
      m_apply(new QPushButton(tr("Appl&y this h"), this)),
      m_clear(new QPushButton(tr("Cle&ar fit"), this))
{
    // Tall enough for its axis' labels at either end and the zero between them.
    m_residuals->setMinimumSize(220, 170);
    m_residuals->hide();
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setWordWrap(true);
    for (QLabel *label : {m_summary, m_problem}) {
        label->setWordWrap(true);
        // Read and copied from the keyboard as well: Tab reaches it.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    m_summary->setAccessibleName(tr("Fit"));
    m_problem->setAccessibleName(tr("Problem with the readings"));
    m_problem->hide();
    styleProblem();

    for (const Unit &unit : unitsOf(Quantity::Time))
        m_timeUnit->addItem(
            QString::fromUtf8(unit.symbol.data(), static_cast<qsizetype>(unit.symbol.size())));
    m_timeUnit->setAccessibleName(tr("Unit of times without one"));
    m_timeUnit->setAccessibleDescription(
        tr("The unit of the file's times when its header names none; choosing it reads the file "
           "again"));
    auto *timeLabel = new QLabel(tr("Plain times i&n"), this);
    timeLabel->setBuddy(m_timeUnit);
    m_apply->setAccessibleName(tr("Apply this h"));
    m_apply->setAccessibleDescription(
        tr("Puts the fitted h into the h field, in its unit, and computes again"));
    m_apply->setEnabled(false);
    m_clear->setAccessibleName(tr("Clear fit"));
    m_clear->setAccessibleDescription(tr("Takes the readings and their fit off the chart"));

    // The texts scroll rather than squeeze the chart above when warnings and notes run long.
    auto *texts = new QWidget;
    auto *textColumn = new QVBoxLayout(texts);
    textColumn->setContentsMargins(0, 0, 0, 0);
    textColumn->addWidget(m_heading);
    textColumn->addWidget(m_problem);
    textColumn->addWidget(m_summary);
    textColumn->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(texts);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *side = new QVBoxLayout;
    side->addWidget(scroll, 1);
    auto *timeRow = new QHBoxLayout;
    timeRow->addWidget(timeLabel);
    timeRow->addWidget(m_timeUnit);
    timeRow->addStretch(1);
    side->addLayout(timeRow);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_apply);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    side->addLayout(buttons);
    auto *sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    side->setContentsMargins(0, 0, 0, 0);
    sideWidget->setMinimumWidth(260);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_residuals, 3);
    layout->addWidget(sideWidget, 2);

    connect(m_apply, &QPushButton::clicked, this, &FitPanel::applyRequested);
    connect(m_clear, &QPushButton::clicked, this, &FitPanel::clearRequested);
    connect(m_timeUnit, &QComboBox::activated, this, &FitPanel::plainTimeUnitChosen);
}

void FitPanel::showFit(const QString &file, const StudyFit &fit)
{
    m_heading->setText(tr("Readings of %1").arg(file));
    m_problem->setText(QString::fromStdString(fit.message));
    m_problem->setVisible(!fit.message.empty());
    QStringList text;
    for (const QString &part :
         {lines(fit.summary), lines(fit.warnings, tr("Warning: ")), lines(fit.notes)}) {
        if (!part.isEmpty())
            text.append(part);
    }
    m_summary->setText(text.join(QLatin1Char('\n')));
    m_summary->setVisible(!text.isEmpty());
    m_hasResult = fit.result.has_value();
    if (fit.residuals)
        m_residuals->setChartData(*fit.residuals);
    m_residuals->setVisible(m_hasResult);
    m_residuals->setOutOfDate(false);
    m_apply->setEnabled(m_hasResult && m_applicable);
}

void FitPanel::clear()
{
    showFit({}, {});
    m_heading->clear();
}

void FitPanel::showProblem(const QString &message)
{
    m_problem->setText(message);
    m_problem->show();
}

void FitPanel::setOutOfDate(bool outOfDate)
{
    m_residuals->setOutOfDate(outOfDate);
    m_apply->setEnabled(!outOfDate && m_hasResult && m_applicable);
}

void FitPanel::setApplicable(bool applicable)
{
    m_applicable = applicable;
    m_apply->setEnabled(m_hasResult && applicable && !m_residuals->isOutOfDate());
}

QString FitPanel::plainTimeUnit() const
{
    return m_timeUnit->currentText();
}

std::vector<QWidget *> FitPanel::tabOrder() const
{
    return {m_residuals, m_problem, m_summary, m_timeUnit, m_apply, m_clear};
}

void FitPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        styleProblem();
}

void FitPanel::styleProblem()
{
    // In the colour of the inputs' messages, which reads on a light and a dark background.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    m_problem->setStyleSheet(dark ? QStringLiteral("color: #ff9a8a;")
                                  : QStringLiteral("color: #b3261e;"));
}

} // namespace planewall
