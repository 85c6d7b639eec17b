// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <optional>

class QPainter;

namespace planewall {

// Where a text sits in its box.
enum class CaptionPlacement {
    TopLeft, // one line from the top left corner, as the form's labels draw
    CentredWrapped, // wrapped at word breaks, each line centred, from the top
    LeftMiddle, // one line at the left, centred vertically (the result boxes)
};

// A text laid out for one box at the largest pixel size, from the font's own down to a floor,
// at which its ink stays inside the box; if even the floor is too big and eliding is allowed,
// the text is shortened around a "…" until it fits.
//
// Fit is judged by ink, the pixels the glyphs actually cover, not by line height: an "=" in a
// box shorter than its font's line still fits, because its strokes are well above the baseline.
class FittedText
{
public:
    // The smallest size a text is drawn at, as a share of its font's size.
    static constexpr double kSmallestScale = 0.6;

    FittedText(const QString &text, const QFont &font, QSize box, CaptionPlacement placement,
               bool elide = false);

    // Draws at the box's top left corner (0, 0), in the painter's pen.
    void draw(QPainter &painter, const QList<QTextLayout::FormatRange> &formats = {}) const;

    QFont font() const { return m_layout->font(); }
    QString shownText() const { return m_layout->text(); }
    bool elided() const { return m_elided; }
    // The covered pixels, in box coordinates; empty for a text without visible glyphs.
    QRect ink() const { return m_ink; }
    bool fits() const;

private:
    void layOut(const QString &text, const QFont &font);

    QSize m_box;
    CaptionPlacement m_placement;
    std::unique_ptr<QTextLayout> m_layout;
    QRect m_ink;
    bool m_elided = false;
};

// The FittedText of one widget, laid out again only when its text, font or box changes, so that
// the widget can ask for it at every paint and never has to say what changed.
class FittedTextCache
{
public:
    explicit FittedTextCache(CaptionPlacement placement, bool elide = false)
        : m_placement(placement), m_elide(elide)
    { }

    const FittedText &get(const QString &text, const QFont &font, QSize box) const;

private:
    CaptionPlacement m_placement;
    bool m_elide;
    // What the kept layout was made from.
    mutable QString m_text;
    mutable QFont m_font;
    mutable QSize m_box;
    mutable std::optional<FittedText> m_fitted;
};

} // namespace planewall
