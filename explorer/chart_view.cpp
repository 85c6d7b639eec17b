// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "chart_view.h"

#include "value_text.h"

#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPalette>
#include <QScatterSeries>
#include <QValueAxis>

namespace planewall {

namespace {

// Series colours by ChartSeries::colour, for a light and a dark background: distinct hues,
// each dark or light enough to read against its background; the last, near the text's own
// colour, for measured readings and their fit.
constexpr QRgb kLightColours[]
    = {0x1f77b4, 0xd62728, 0x2ca02c, 0x9467bd, 0xe67e00, 0x6d4c41, 0x303030};
constexpr QRgb kDarkColours[]
    = {0x6cb4ee, 0xff7b7b, 0x7ed67e, 0xc9a7ff, 0xffb347, 0xd7b49e, 0xececec};

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor colourOf(int index, bool dark)
{
    const auto &colours = dark ? kDarkColours : kLightColours;
    const auto count = static_cast<int>(std::size(colours));
    return QColor::fromRgb(colours[((index % count) + count) % count]);
}

QPen penOf(Stroke stroke, const QColor &colour)
{
    QPen pen(colour);
    pen.setWidthF(stroke == Stroke::Dotted ? 1.5 : 2);
    pen.setCapStyle(Qt::FlatCap);
    if (stroke == Stroke::Dashed)
        pen.setStyle(Qt::DashLine);
    else if (stroke == Stroke::Dotted)
        pen.setStyle(Qt::DotLine);
    return pen;
}

QList<QPointF> pointsOf(const ChartSeries &series)
{
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(series.points.size()));
    for (const ChartPoint &p : series.points)
        points.append(QPointF(p.x, p.y));
    return points;
}

QAbstractAxis *makeAxis(const ChartAxis &axis)
{
    if (axis.logarithmic) {
        auto *log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        return log;
    }
    auto *linear = new QValueAxis;
    linear->setLabelFormat(QStringLiteral("%.4g"));
    linear->setTickCount(6);
    return linear;
}

void setRange(QAbstractAxis *axis, const ChartAxis &data)
{
    axis->setRange(data.min, data.max);
    if (auto *linear = qobject_cast<QValueAxis *>(axis); linear && data.tickStep > 0) {
        // Labels on the round numbers calc/ chose, whatever the ends of the range.
        linear->setTickType(QValueAxis::TicksDynamic);
        linear->setTickAnchor(0);
        linear->setTickInterval(data.tickStep);
    }
}

} // namespace

ChartView::ChartView(QWidget *parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    // The focus shows as a frame in the highlight colour.
    setStyleSheet(
        QStringLiteral("planewall--ChartView:focus { border: 2px solid palette(highlight); }"));
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setAnimationOptions(QChart::NoAnimation);
    m_hover = new QGraphicsSimpleTextItem(chart());
    m_hover->setZValue(10);
    applyTheme();
}

void ChartView::setChartData(const ChartData &chartData)
{
    bool sameShape = chartData.series.size() == m_strokes.size() && m_axesOf
        && m_axesOf->x.logarithmic == chartData.x.logarithmic
        && m_axesOf->y.logarithmic == chartData.y.logarithmic
        && m_axesOf->ySecondary.has_value() == chartData.ySecondary.has_value();
    for (std::size_t i = 0; sameShape && i < chartData.series.size(); ++i)
        sameShape
            = (chartData.series[i].stroke == Stroke::Points) == (m_strokes[i] == Stroke::Points);
    if (!sameShape)
        rebuild(chartData);

    for (std::size_t i = 0; i < chartData.series.size(); ++i) {
        const ChartSeries &s = chartData.series[i];
        QXYSeries *series = m_series[i];
        series->setName(QString::fromStdString(s.name));
        m_strokes[i] = s.stroke;
        m_colours[i] = s.colour;
        series->replace(pointsOf(s));
        // The one-term curves of the Heisler chart share their exact curve's colour and name;
        // the legend lists each Biot number once.
        const bool listed = !(chartData.kind == ChartKind::Heisler && s.stroke == Stroke::Dashed);
        for (QLegendMarker *marker : chart()->legend()->markers(series))
            marker->setVisible(listed);
    }
    styleSeries();
    applyAxes(chartData);
    m_title = QString::fromStdString(chartData.title);
    if (chartData.kind == ChartKind::Heisler)
        m_title += tr(" \u2014 dashed: one-term");
    updateTitle();
    // A residuals' chart is small, and its two series say what they are by their look.
    chart()->legend()->setVisible(chartData.kind != ChartKind::Residuals);
    setAccessibleName(QString::fromStdString(chartData.title));
    setAccessibleDescription(QString::fromStdString(chartData.description));
}

void ChartView::rebuild(const ChartData &chartData)
{
    chart()->removeAllSeries();
    m_series.clear();
    m_strokes.clear();
    m_colours.clear();
    for (QAbstractAxis *axis : chart()->axes()) {
        chart()->removeAxis(axis);
        delete axis;
    }
    m_x = makeAxis(chartData.x);
    m_y = makeAxis(chartData.y);
    chart()->addAxis(m_x, Qt::AlignBottom);
    chart()->addAxis(m_y, Qt::AlignLeft);
    m_ySecondary = nullptr;
    if (chartData.ySecondary) {
        auto *secondary = new QValueAxis;
        secondary->setLabelFormat(QStringLiteral("%.4g"));
        secondary->setTickCount(6);
        m_ySecondary = secondary;
        chart()->addAxis(m_ySecondary, Qt::AlignRight);
    }
    for (const ChartSeries &s : chartData.series) {
        QXYSeries *series = nullptr;
        if (s.stroke == Stroke::Points) {
            auto *scatter = new QScatterSeries;
            // The Heisler chart marks one point; readings come by the dozen, small enough to show
            // the curves between them.
            scatter->setMarkerSize(chartData.kind == ChartKind::Heisler ? 11 : 7);
            series = scatter;
        } else {
            series = new QLineSeries;
        }
        chart()->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        m_series.push_back(series);
        m_strokes.push_back(s.stroke);
        m_colours.push_back(s.colour);
    }
    m_axesOf.reset();
    // The theme was set when the view was made; the new axes only take its fonts and colours.
    styleAxes();
}

void ChartView::applyAxes(const ChartData &chartData)
{
    m_x->setTitleText(QString::fromStdString(chartData.x.title));
    m_y->setTitleText(QString::fromStdString(chartData.y.title));
    // A zoomed chart keeps the user's view; resetZoom() brings the data's ranges back.
    if (!chart()->isZoomed()) {
        setRange(m_x, chartData.x);
        setRange(m_y, chartData.y);
    }
    if (m_ySecondary && chartData.ySecondary) {
        m_ySecondary->setTitleText(QString::fromStdString(chartData.ySecondary->title));
        // The right axis is the left one scaled: its ends are the left one's ends times the
        // factor, in order, running downwards when the factor is negative.
        auto *left = static_cast<QValueAxis *>(m_y);
        const double a = left->min() * chartData.ySecondary->factor;
        const double b = left->max() * chartData.ySecondary->factor;
        auto *secondary = static_cast<QValueAxis *>(m_ySecondary);
        secondary->setReverse(b < a);
        setRange(
            secondary,
            {{}, std::min(a, b), std::max(a, b), false, niceStep(std::min(a, b), std::max(a, b))});
        // Its labels fall between the left axis' grid lines; it draws none of its own.
        secondary->setGridLineVisible(false);
    }
    m_axesOf
        = ChartData{chartData.kind, {}, {}, chartData.x, chartData.y, chartData.ySecondary, {}};
}

void ChartView::setOutOfDate(bool outOfDate)
{
    m_outOfDate = outOfDate;
    updateTitle();
}

void ChartView::updateTitle()
{
    chart()->setTitle(m_outOfDate ? tr("%1 (out of date)").arg(m_title) : m_title);
    chart()->setOpacity(m_outOfDate ? 0.45 : 1.0);
}

void ChartView::resetZoom()
{
    chart()->zoomReset();
    if (m_axesOf) {
        setRange(m_x, m_axesOf->x);
        setRange(m_y, m_axesOf->y);
    }
}

QString ChartView::hoverText() const
{
    return m_hover->isVisible() ? m_hover->text() : QString();
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    // Qt Charts 6.4 asks the item under a press which buttons it takes without checking that
    // there is one, and crashes on a press where the chart is not (yet) laid out, as on a tab
    // clicked straight after it opened. There no rubber band can start anyway.
    if (!itemAt(event->position().toPoint())) {
        QGraphicsView::mousePressEvent(event);
        return;
    }
    QChartView::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    QChartView::mouseMoveEvent(event);
    const QPointF at = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (m_series.empty() || !m_axesOf || !chart()->plotArea().contains(at)) {
        m_hover->hide();
        return;
    }
    const QPointF value = chart()->mapToValue(at, m_series.front());
    m_hover->setText(QStringLiteral("%1 = %2    %3 = %4")
                         .arg(QString::fromStdString(m_axesOf->x.title),
                              QString::fromStdString(formatSignificant(value.x(), 4)),
                              QString::fromStdString(m_axesOf->y.title),
                              QString::fromStdString(formatSignificant(value.y(), 4))));
    placeHover();
    m_hover->show();
}

void ChartView::leaveEvent(QEvent *event)
{
    m_hover->hide();
    QChartView::leaveEvent(event);
}

void ChartView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setPixmap(grab());
        Q_EMIT copied();
        return;
    }
    if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
        resetZoom();
        return;
    }
    // Arrow keys would scroll the view's scene; they stay with the focus chain instead.
    event->ignore();
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    placeHover();
}

void ChartView::changeEvent(QEvent *event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        applyTheme();
}

void ChartView::placeHover()
{
    const QRectF area = chart()->plotArea();
    m_hover->setPos(area.left() + 6, area.top() + 4);
}

void ChartView::applyTheme()
{
    const bool dark = isDark(palette());
    const QString title = chart()->title();
    chart()->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart()->setBackgroundBrush(palette().color(QPalette::Base));
    chart()->setTitleBrush(palette().color(QPalette::Text));
    QFont titleFont = font();
    titleFont.setBold(true);
    chart()->setTitleFont(titleFont);
    chart()->legend()->setFont(font());
    chart()->legend()->setLabelColor(palette().color(QPalette::Text));
    m_hover->setBrush(palette().color(QPalette::Text));
    m_hover->setFont(font());
    chart()->setTitle(title);
    styleAxes();
    styleSeries();
}

void ChartView::styleAxes()
{
    for (QAbstractAxis *axis : chart()->axes()) {
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
        axis->setLabelsColor(palette().color(QPalette::Text));
        axis->setTitleBrush(palette().color(QPalette::Text));
    }
}

void ChartView::styleSeries()
{
    const bool dark = isDark(palette());
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const QColor colour = colourOf(m_colours[i], dark);
        if (m_strokes[i] == Stroke::Points) {
            auto *scatter = static_cast<QScatterSeries *>(m_series[i]);
            scatter->setColor(colour);
            scatter->setBorderColor(palette().color(QPalette::Text));
        } else {
            m_series[i]->setPen(penOf(m_strokes[i], colour));
        }
    }
}

} // namespace planewall
