// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "fitted_text.h"

#include <QLine>
#include <QWidget>

namespace planewall {

// A fixed caption: the heading, the formulas' parts, the prompts and the credit line. It never
// takes focus and has no behaviour. Its font is the style's; a face wider than the one the form
// was drawn with gets the caption drawn smaller rather than cut off.
class StaticText : public QWidget
{
    Q_OBJECT

public:
    StaticText(const QString &caption, CaptionPlacement placement, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    // The caption as it is drawn in this box: size, lines and ink.
    const FittedText &fitted() const;
    // Draws the caption with its top left corner at the painter's origin, without clipping.
    void drawCaption(QPainter &painter) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    FittedTextCache m_fitted;
};

// A straight one-pixel line between two points of the parent, in the window's text colour.
// Whatever runs past the parent's edge is clipped.
class RuleLine : public QWidget
{
    Q_OBJECT

public:
    RuleLine(QLine line, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLine m_line; // in the parent's coordinates
};

} // namespace planewall
