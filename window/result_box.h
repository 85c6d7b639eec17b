#pragma once

#include "fitted_text.h"

#include <QFrame>

#include <optional>

namespace planewall {

// One result of a run: a framed box on the text-field background, empty until written.
//
// The text is drawn without indent at the box's font; a text too wide for the box is drawn
// smaller, down to FittedText::kSmallestScale of that size, and past that shortened around a
// "…". Whatever is drawn, the full text is the tool tip and what a copy puts on the clipboard,
// so a shortened number is never mistaken for another.
//
// A click selects the whole value (and offers it as the X11 primary selection); Ctrl+C or the
// context menu copies it. The box takes focus only by a click, never by Tab.
class ResultBox : public QFrame
{
    Q_OBJECT

public:
    explicit ResultBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    // Replaces the whole text.
    void setText(const QString &text);
    // A second tool tip line about where the text came from; empty for none.
    void setNote(const QString &note);

    bool isSelected() const { return m_selected; }
    // The text as it is drawn now, inside contentsRect().
    const FittedText &fitted() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void select(bool selected);
    void copy() const;
    void updateToolTip();

    QString m_text;
    QString m_note;
    bool m_selected = false;
    mutable std::optional<FittedText> m_fitted; // laid out again when text, size or font change
};

} // namespace planewall
