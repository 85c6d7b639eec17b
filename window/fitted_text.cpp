// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "fitted_text.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextOption>

#include <cmath>

namespace planewall {

namespace {

// The union of every glyph's own outline bounds at its laid-out position. This is tighter than
// QFontMetrics::tightBoundingRect, which always reaches down to the baseline, and it matches the
// rasterised pixels: a glyph's bounds come from the same hinted outline that gets drawn.
QRect inkOf(const QTextLayout &layout)
{
    QRectF ink;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    for (const QGlyphRun &run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const QRectF bounds = font.boundingRect(glyphs[i]);
            if (!bounds.isEmpty())
                ink |= bounds.translated(positions[i] + layout.position());
        }
    }
    return ink.toAlignedRect();
}

int pixelSizeOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

} // namespace

FittedText::FittedText(const QString &text, const QFont &font, QSize box,
                       CaptionPlacement placement, bool elide)
    : m_box(box), m_placement(placement)
{
    QFont sized = font;
    const int nominal = pixelSizeOf(font);
    const int smallest = std::max(1, static_cast<int>(std::ceil(nominal * kSmallestScale)));
    for (int size = nominal; size >= smallest; --size) {
        sized.setPixelSize(size);
        layOut(text, sized);
        if (fits())
            return;
    }
    if (!elide || placement == CaptionPlacement::CentredWrapped)
        return;

    // Keep the smallest size and give up characters from the middle, where a long number's
    // digits matter least: its sign and leading digits stay, and so do its decimals.
    const QFontMetricsF metrics(sized);
    for (int width = box.width(); width > 0; --width) {
        layOut(metrics.elidedText(text, Qt::ElideMiddle, width), sized);
        m_elided = shownText() != text;
        if (fits())
            return;
    }
}

void FittedText::layOut(const QString &text, const QFont &font)
{
    m_layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option;
    const bool wrapped = m_placement == CaptionPlacement::CentredWrapped;
    option.setWrapMode(wrapped ? QTextOption::WordWrap : QTextOption::NoWrap);
    option.setAlignment(wrapped ? Qt::AlignHCenter : Qt::AlignLeft);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);

    m_layout->beginLayout();
    qreal top = 0;
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(m_box.width());
        line.setPosition(QPointF(0, top));
        top += line.height();
    }
    m_layout->endLayout();

    // Whole pixels, so the glyphs land where their bounds say.
    if (m_placement == CaptionPlacement::LeftMiddle)
        m_layout->setPosition(QPointF(0, std::floor((m_box.height() - top) / 2)));
    m_ink = inkOf(*m_layout);
}

bool FittedText::fits() const
{
    return m_ink.isEmpty() || QRect(QPoint(0, 0), m_box).contains(m_ink);
}

void FittedText::draw(QPainter &painter, const QList<QTextLayout::FormatRange> &formats) const
{
    m_layout->draw(&painter, QPointF(0, 0), formats);
}

const FittedText &FittedTextCache::get(const QString &text, const QFont &font, QSize box) const
{
    if (!m_fitted || text != m_text || font != m_font || box != m_box) {
        m_fitted.emplace(text, font, box, m_placement, m_elide);
        m_text = text;
        m_font = font;
        m_box = box;
    }
    return *m_fitted;
}

} // namespace planewall
