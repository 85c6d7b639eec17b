#include "result_box.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

namespace planewall {

ResultBox::ResultBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
}

void ResultBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_fitted.reset();
    if (m_text.isEmpty())
        m_selected = false;
    setAccessibleDescription(m_text);
    updateToolTip();
    update();
}

void ResultBox::setNote(const QString &note)
{
    m_note = note;
    updateToolTip();
}

void ResultBox::updateToolTip()
{
    setToolTip(m_note.isEmpty() || m_text.isEmpty() ? m_text : m_text + u'\n' + m_note);
}

const FittedText &ResultBox::fitted() const
{
    if (!m_fitted)
        m_fitted.emplace(m_text, font(), contentsRect().size(), CaptionPlacement::LeftMiddle, true);
    return *m_fitted;
}

void ResultBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.translate(contentsRect().topLeft());
    painter.setPen(palette().color(QPalette::Text));
    QList<QTextLayout::FormatRange> formats;
    if (m_selected) {
        QTextLayout::FormatRange whole;
        whole.start = 0;
        whole.length = fitted().shownText().size();
        whole.format.setBackground(palette().brush(QPalette::Highlight));
        whole.format.setForeground(palette().brush(QPalette::HighlightedText));
        formats.append(whole);
    }
    fitted().draw(painter, formats);
}

void ResultBox::resizeEvent(QResizeEvent *event)
{
    m_fitted.reset();
    QFrame::resizeEvent(event);
}

void ResultBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_fitted.reset();
    QFrame::changeEvent(event);
}

void ResultBox::mousePressEvent(QMouseEvent *event)
{
    select(true);
    QFrame::mousePressEvent(event);
}

void ResultBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::SelectAll))
        select(true);
    else
        QFrame::keyPressEvent(event);
}

void ResultBox::focusOutEvent(QFocusEvent *event)
{
    // The context menu borrows the focus; the selection it copies has to stay.
    if (event->reason() != Qt::PopupFocusReason)
        select(false);
    QFrame::focusOutEvent(event);
}

void ResultBox::contextMenuEvent(QContextMenuEvent *event)
{
    select(true);
    QMenu menu(this);
    QAction *copyAction = menu.addAction(tr("&Copy"), this, &ResultBox::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(!m_text.isEmpty());
    menu.exec(event->globalPos());
}

void ResultBox::select(bool selected)
{
    selected = selected && !m_text.isEmpty();
    if (selected == m_selected)
        return;
    m_selected = selected;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (m_selected && clipboard->supportsSelection())
        clipboard->setText(m_text, QClipboard::Selection);
    update();
}

void ResultBox::copy() const
{
    if (!m_text.isEmpty())
        QGuiApplication::clipboard()->setText(m_text);
}

} // namespace planewall
