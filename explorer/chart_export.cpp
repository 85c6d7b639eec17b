// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "chart_export.h"

#include "chart_view.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>

namespace planewall {

namespace {

// Qt's offscreen platform, which draws the charts of --export-chart, says for every window it
// makes that it "does not support propagateSizeHints()": true, and nothing the user can act on.
// This keeps that one line off standard error while a chart's view is shown, and lets every
// other message through.
class QuietOffscreen
{
public:
    QuietOffscreen() { s_previous = qInstallMessageHandler(&QuietOffscreen::handle); }
    ~QuietOffscreen() { qInstallMessageHandler(s_previous); }
    QuietOffscreen(const QuietOffscreen &) = delete;
    QuietOffscreen &operator=(const QuietOffscreen &) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (message.contains(QLatin1String("does not support propagateSizeHints")))
            return;
        if (s_previous)
            s_previous(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
    static inline QtMessageHandler s_previous = nullptr;
};

// The chart as the view shows it (zoom included), without the view's frame, smoothed, into
// `size` (scaled, its proportions kept, when that is not the view's own).
void renderChart(ChartView &view, QPainter &painter, QSize size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view.render(&painter, QRectF(QPointF(0, 0), size), view.viewport()->geometry());
}

QString failure(const QString &path, const QString &why)
{
    return QObject::tr("cannot write %1: %2").arg(path, why);
}

} // namespace

std::optional<ImageFormat> imageFormatOf(const QString &path)
{
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return ImageFormat::Png;
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return ImageFormat::Svg;
    return std::nullopt;
}

QString saveChartImage(ChartView &view, const QString &path, ImageFormat format, QSize size)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (!size.isValid())
        size = view.viewport()->size();
    if (format == ImageFormat::Png) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(view.palette().color(QPalette::Base));
        {
            QPainter painter(&image);
            renderChart(view, painter, size);
        }
        QImageWriter writer(&file, "png");
        if (!writer.write(image))
            return failure(path, writer.errorString());
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        // Its width and height in CSS pixels, 96 to the inch, as browsers and editors read them.
        svg.setResolution(96);
        svg.setTitle(view.accessibleName());
        svg.setDescription(view.accessibleDescription());
        QPainter painter;
        if (!painter.begin(&svg))
            return failure(path, QObject::tr("the SVG could not be started"));
        renderChart(view, painter, size);
        painter.end();
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return {};
}

QString saveChartCsv(const ChartData &chart, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    const std::string csv = chartCsv(chart);
    if (file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()))
        return failure(path, file.errorString());
    if (!file.commit())
        return failure(path, file.errorString());
    return {};
}

QString exportChartImage(const ChartData &chart, QSize size, const QString &path,
                         ImageFormat format)
{
    // Shown but never on a screen: showing lays the chart out at the view's size.
    ChartView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setFrameShape(QFrame::NoFrame);
    view.resize(size);
    view.setChartData(chart);
    {
        const QuietOffscreen quiet;
        view.show();
    }
    return saveChartImage(view, path, format, size);
}

} // namespace planewall
