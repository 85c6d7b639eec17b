// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "fitted_text.h"

#include <QFrame>

namespace planewall {

// One result of a run: a framed box on the text-field background, empty until written.
//
// The text is drawn without indent at the box's font; a text too wide for the box is drawn
// smaller, down to FittedText::kSmallestScale of that size, and past that shortened around a
// "…". Whatever is drawn, the full text is in the tool tip (broken into lines there, and only
// there) and is what a copy puts on the clipboard, so a shortened number is never mistaken for
// another.
//
// A click selects the whole value (and offers it as the X11 primary selection); Ctrl+C or the
// context menu copies it. The box takes focus only by a click, never by Tab.
//
// To assistive technology the box is read-only text: its accessible name says which result it
// is ("zeta 1"), its text is the value, and its description is the tool tip's note and help.
class ResultBox : public QFrame
{
    Q_OBJECT

public:
    explicit ResultBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    // Replaces the whole text. `note` is what the tool tip says of it in place of the bare text,
    // and must show the whole text ("0.0008 shown; the root is 0"); empty for the text alone.
    void setText(const QString &text, const QString &note = {});
    QString note() const { return m_note; }
    // The tool tip's last line, on how to use the box; empty for none.
    void setHelp(const QString &help);
    QString help() const { return m_help; }

    // Tells assistive technology that the text has changed from `before` to what it is now.
    // setText() does not, so that a run can tell it once, with its final text, rather than at
    // every Newton step.
    void announceTextChange(const QString &before);

    bool isSelected() const { return m_selected; }
    // The text as it is drawn now, inside contentsRect().
    const FittedText &fitted() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class ResultBoxAccessible;

    void select(bool selected);
    void copy() const;
    void updateToolTip();

    QString m_text;
    QString m_note;
    QString m_help;
    bool m_selected = false;
    FittedTextCache m_fitted{CaptionPlacement::LeftMiddle, true};
};

} // namespace planewall
