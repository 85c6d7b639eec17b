// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "static_controls.h"

#include <QPainter>

namespace planewall {

StaticText::StaticText(const QString &caption, CaptionPlacement placement, QWidget *parent)
    : QWidget(parent), m_caption(caption), m_fitted(placement)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(caption);
}

const FittedText &StaticText::fitted() const
{
    return m_fitted.get(m_caption, font(), size());
}

void StaticText::drawCaption(QPainter &painter) const
{
    painter.setPen(palette().color(foregroundRole()));
    fitted().draw(painter);
}

void StaticText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawCaption(painter);
}

RuleLine::RuleLine(QLine line, QWidget *parent) : QWidget(parent), m_line(line)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect(line.p1(), line.p2()).normalized());
}

void RuleLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(m_line.translated(-pos()));
}

} // namespace planewall
