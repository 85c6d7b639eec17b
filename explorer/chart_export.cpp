#include "chart_export.h"

#include "chart_view.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace planewall {

namespace {

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

QString saveChartImage(ChartView &view, const QString &path, ImageFormat format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    const QSize size = view.size();
    if (format == ImageFormat::Png) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(view.palette().color(QPalette::Base));
        {
            QPainter painter(&image);
            view.render(&painter);
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
        view.render(&painter);
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
    ChartView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setFrameShape(QFrame::NoFrame);
    view.resize(size);
    view.setChartData(chart);
    view.show();
    return saveChartImage(view, path, format);
}

} // namespace planewall
