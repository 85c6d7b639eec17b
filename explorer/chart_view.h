// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "chart_data.h"

#include <QChartView>

#include <optional>
#include <vector>

class QAbstractAxis;
class QGraphicsSimpleTextItem;
class QXYSeries;

namespace planewall {

// One of the explorer's charts: draws a ChartData from calc/ with Qt Charts. The chart follows
// the data it is given: setChartData() replaces the points of the series in place when the
// chart keeps its shape (the same strokes in the same order), and builds them anew otherwise.
//
// For the user: a hover shows the axis values under the cursor; dragging a rectangle zooms in,
// Home (or the "Reset zoom" command) zooms back out; the view takes focus by click and Tab, and
// Ctrl+C copies it as an image.
class ChartView : public QChartView
{
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    void setChartData(const ChartData &chartData);
    // Marks the chart as showing earlier inputs than the ones now in the fields.
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return m_outOfDate; }
    void resetZoom();
    // The text the hover shows, for where the cursor is (empty outside the plot area).
    QString hoverText() const;
    // The series as drawn (for tests and the benchmark).
    std::vector<QXYSeries *> drawnSeries() const { return m_series; }

Q_SIGNALS:
    void copied();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rebuild(const ChartData &chartData);
    void applyAxes(const ChartData &chartData);
    void applyTheme();
    void styleAxes();
    void styleSeries();
    void updateTitle();
    void placeHover();

    std::vector<QXYSeries *> m_series;
    std::vector<Stroke> m_strokes;
    std::vector<int> m_colours;
    QAbstractAxis *m_x = nullptr;
    QAbstractAxis *m_y = nullptr;
    QAbstractAxis *m_ySecondary = nullptr;
    QGraphicsSimpleTextItem *m_hover = nullptr;
    QString m_title;
    std::optional<ChartData> m_axesOf; // titles and kinds of the axes as last shown
    bool m_outOfDate = false;
};

} // namespace planewall
