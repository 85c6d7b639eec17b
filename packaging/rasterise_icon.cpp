// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Renders the program's SVG icon as PNGs for the hicolor icon theme, at build time:
//   planewall_rasterise_icon SVG ROOT NAME SIZE...
// writes ROOT/SIZExSIZE/apps/NAME.png for each SIZE. No window, no display: Qt Svg draws into
// an image in memory.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "planewall_rasterise_icon: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5)
        return fail(QStringLiteral("usage: planewall_rasterise_icon SVG ROOT NAME SIZE..."));
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);

    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return fail(QStringLiteral("%1 is not an SVG Qt can draw").arg(svg));

    for (int i = 4; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 4096)
            return fail(QStringLiteral("'%1' is not a size in pixels").arg(argv[i]));

        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();

        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
        if (!QDir().mkpath(dir))
            return fail(QStringLiteral("cannot make the folder %1").arg(dir));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(file));
    }
    return 0;
}
