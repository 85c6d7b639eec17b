#include "static_controls.h"

#include <QEvent>
#include <QPainter>

namespace planewall {

StaticText::StaticText(const QString &caption, CaptionPlacement placement, QWidget *parent)
    : QWidget(parent), m_caption(caption), m_placement(placement)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(caption);
}

const FittedText &StaticText::fitted() const
{
    if (!m_fitted)
        m_fitted.emplace(m_caption, font(), size(), m_placement);
    return *m_fitted;
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

void StaticText::resizeEvent(QResizeEvent *)
{
    m_fitted.reset();
}

void StaticText::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_fitted.reset();
    QWidget::changeEvent(event);
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
