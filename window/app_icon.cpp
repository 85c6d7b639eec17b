// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace planewall {

namespace {

// Draws on the 64 x 64 grid of planewall.svg.
void drawIcon(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(QColor(0x6d, 0x8f, 0xab), 2));
    painter.setBrush(QColor(0xe8, 0xf1, 0xf8));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

    painter.setPen(QPen(QColor(0x7a, 0x3a, 0x1e), 2));
    painter.setBrush(QColor(0xc4, 0x66, 0x3c));
    painter.drawRect(QRectF(24, 8, 16, 48));

    QPainterPath profile(QPointF(24, 46));
    profile.cubicTo(27, 16, 37, 16, 40, 46);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(profile);

    painter.setPen(QPen(QColor(0x2f, 0x6f, 0xb0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const qreal y : {20.0, 44.0}) {
        for (const qreal side : {-1.0, 1.0}) {
            const qreal face = 32 + side * 12; // where the arrow leaves the wall
            const qreal tip = 32 + side * 25;
            painter.drawLine(QPointF(face, y), QPointF(tip, y));
            const QPointF head[] = {{tip - side * 4, y - 4}, {tip, y}, {tip - side * 4, y + 4}};
            painter.drawPolyline(head, 3);
        }
    }
}

} // namespace

QIcon appIcon()
{
    QIcon icon;
    // The sizes a title bar and a task switcher ask for at scale 1 and 2. Larger ones come from
    // the installed icon theme by the desktop entry's name; painting (and handing the window
    // system) 128 and 256 px here would cost several milliseconds of every start.
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.scale(size / 64.0, size / 64.0);
        drawIcon(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace planewall
