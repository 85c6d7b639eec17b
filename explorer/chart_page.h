// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "chart_data.h"

#include <QWidget>

#include <optional>

namespace planewall {

class ChartView;

// One tab of the explorer's charts. Its ChartView is made when first asked for (the window asks
// when the tab is first opened), so that the window opens without building the charts no one
// has looked at yet; data and marks given before then wait for it.
class ChartPage : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPage(QWidget *parent = nullptr);

    // The view, made now if it was not yet.
    ChartView *view();
    bool hasView() const { return m_view != nullptr; }

    void setChartData(const ChartData &chartData);
    void setOutOfDate(bool outOfDate);

Q_SIGNALS:
    void viewMade(planewall::ChartView *view);

private:
    ChartView *m_view = nullptr;
    std::optional<ChartData> m_pending;
    bool m_outOfDate = false;
};

} // namespace planewall
