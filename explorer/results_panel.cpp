// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "results_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace planewall {

namespace {

QTableWidgetItem *cell(const std::string &text)
{
    auto *item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

ResultsPanel::ResultsPanel(QWidget *parent)
    : QWidget(parent), m_status(new QLabel(this)), m_table(new QTableWidget(0, 5, this)),
      m_copy(new QPushButton(tr("C&opy results"), this))
{
    m_status->setWordWrap(true);
    m_status->hide();
    m_table->setHorizontalHeaderLabels(
        {tr("exact"), tr("one-term"), tr("its error"), tr("lumped"), tr("its error")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setTabKeyNavigation(false);
    m_table->setAccessibleName(tr("Results"));
    m_table->setAccessibleDescription(
        tr("Each value exact, by the one-term approximation and by the lumped one, with the "
           "shortcut's error against the exact value."));
    // Every value whole, never cut short: columns as wide as their texts (scrolling sideways in
    // a narrow window), rows of one line, and room for at least five of them.
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideNone);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height()
                              + 5 * m_table->verticalHeader()->defaultSectionSize()
                              + 2 * m_table->frameWidth());
    m_copy->setAccessibleDescription(tr("Copies the results as tab-separated text"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_copy);
    layout->addLayout(buttons);
    connect(m_copy, &QPushButton::clicked, this, &ResultsPanel::copyRequested);
}

void ResultsPanel::showResults(const StudyResults &results)
{
    m_table->setRowCount(static_cast<int>(results.lines.size()));
    int row = 0;
    for (const ResultLine &line : results.lines) {
        m_table->setVerticalHeaderItem(row,
                                       new QTableWidgetItem(QString::fromStdString(line.name)));
        const std::string *texts[]
            = {&line.exact, &line.oneTerm, &line.oneTermError, &line.lumped, &line.lumpedError};
        for (int column = 0; column < 5; ++column)
            m_table->setItem(row, column, cell(*texts[column]));
        ++row;
    }
    clearOutOfDate();
}

void ResultsPanel::setOutOfDate(const QString &why)
{
    m_status->setText(why);
    m_status->show();
    // Still readable and focusable, for a screen reader too, but set apart.
    QFont italic = font();
    italic.setItalic(true);
    m_table->setFont(italic);
}

void ResultsPanel::clearOutOfDate()
{
    m_status->hide();
    m_table->setFont(font());
}

} // namespace planewall
