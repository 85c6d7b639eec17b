// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "link_label.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace planewall {

LinkLabel::LinkLabel(const QString &caption, const QString &target, QWidget *parent)
    : QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                 .arg(target.toHtmlEscaped(), caption.toHtmlEscaped()),
             parent),
      m_target(target)
{
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(caption);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            Q_EMIT linkActivated(m_target);
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    const QRect text = fontMetrics().boundingRect(contentsRect(), int(alignment()), QLabel::text());
    option.rect = contentsRect().intersected(text.adjusted(-1, 0, 1, 0));
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace planewall
