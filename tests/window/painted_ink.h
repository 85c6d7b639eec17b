// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <functional>

// The pixels `draw` covers when it paints on a canvas larger than `box` on every side, in the
// box's coordinates: whatever a widget's clipping would hide shows up here.
inline QRect paintedInk(QSize box, const std::function<void(QPainter &)> &draw)
{
    constexpr int margin = 40;
    QImage canvas(box.grownBy({margin, margin, margin, margin}),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.translate(margin, margin);
    draw(painter);
    painter.end();

    QRect ink;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                ink |= QRect(x - margin, y - margin, 1, 1);
        }
    }
    return ink;
}
