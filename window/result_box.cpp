// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "result_box.h"

#include "tool_tip.h"

#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

namespace planewall {

// The box as assistive technology sees it: read-only text (a label in AT-SPI) whose text is the
// value, which a screen reader reads out and lets the user move through character by character.
class ResultBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ResultBoxAccessible(ResultBox *box) : QAccessibleWidget(box, QAccessible::StaticText)
    { }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text type) const override
    {
        switch (type) {
        case QAccessible::Value:
            return box()->text();
        case QAccessible::Description: {
            QStringList parts{box()->note(), box()->help()};
            parts.removeAll(QString());
            return parts.join(u'\n');
        }
        default:
            return QAccessibleWidget::text(type);
        }
    }

    // Only the whole text is ever selected, as a click selects it.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        const bool whole = selectionIndex == 0 && box()->isSelected();
        *startOffset = 0;
        *endOffset = whole ? characterCount() : 0;
    }
    int selectionCount() const override { return box()->isSelected() ? 1 : 0; }
    void addSelection(int, int) override { box()->select(true); }
    void removeSelection(int) override { box()->select(false); }
    void setSelection(int, int, int) override { box()->select(true); }

    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }

    QString text(int startOffset, int endOffset) const override
    {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }

    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    ResultBox *box() const { return static_cast<ResultBox *>(widget()); }
};

namespace {

QAccessibleInterface *resultBoxAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(ResultBox::staticMetaObject.className()))
        return nullptr;
    auto *box = qobject_cast<ResultBox *>(object);
    return box ? new ResultBoxAccessible(box) : nullptr;
}

// Installed before the first box exists, since an object's accessible interface is made once.
QWidget *installAccessibilityThen(QWidget *parent)
{
    QAccessible::installFactory(resultBoxAccessible); // once: a second install does nothing
    return parent;
}

} // namespace

ResultBox::ResultBox(QWidget *parent) : QFrame(installAccessibilityThen(parent))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
    updateToolTip();
}

void ResultBox::setText(const QString &text, const QString &note)
{
    m_note = note;
    if (text != m_text) {
        m_text = text;
        if (m_text.isEmpty())
            m_selected = false;
        update();
    }
    updateToolTip();
}

void ResultBox::setHelp(const QString &help)
{
    m_help = help;
    updateToolTip();
}

void ResultBox::updateToolTip()
{
    QStringList lines{m_note.isEmpty() ? m_text : m_note, m_help};
    lines.removeAll(QString());
    setToolTip(wrapToolTip(lines.join(u'\n')));
}

void ResultBox::announceTextChange(const QString &before)
{
    QAccessibleTextUpdateEvent event(this, 0, before, m_text);
    QAccessible::updateAccessibility(&event);
}

const FittedText &ResultBox::fitted() const
{
    return m_fitted.get(m_text, font(), contentsRect().size());
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
