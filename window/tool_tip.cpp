// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "tool_tip.h"

#include <QStringList>

namespace planewall {

QString wrapToolTip(const QString &text)
{
    QStringList lines;
    const QStringList paragraphs = text.split(u'\n');
    for (const QString &paragraph : paragraphs) {
        QString line;
        const QStringList words = paragraph.split(u' ', Qt::SkipEmptyParts);
        for (QString word : words) {
            if (!line.isEmpty() && line.size() + 1 + word.size() <= kToolTipLineLength) {
                line += u' ' + word;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            for (; word.size() > kToolTipLineLength; word.remove(0, kToolTipLineLength))
                lines << word.left(kToolTipLineLength);
            line = word;
        }
        lines << line;
    }
    return lines.join(u'\n');
}

} // namespace planewall
