// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "chart_page.h"

#include "chart_view.h"

#include <QVBoxLayout>

namespace planewall {

ChartPage::ChartPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

ChartView *ChartPage::view()
{
    if (!m_view) {
        m_view = new ChartView(this);
        layout()->addWidget(m_view);
        if (m_pending) {
            m_view->setChartData(*m_pending);
            m_pending.reset();
        }
        m_view->setOutOfDate(m_outOfDate);
        Q_EMIT viewMade(m_view);
    }
    return m_view;
}

void ChartPage::setChartData(const ChartData &chartData)
{
    if (m_view)
        m_view->setChartData(chartData);
    else
        m_pending = chartData;
}

void ChartPage::setOutOfDate(bool outOfDate)
{
    m_outOfDate = outOfDate;
    if (m_view)
        m_view->setOutOfDate(outOfDate);
}

} // namespace planewall
