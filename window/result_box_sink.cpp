// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "result_box_sink.h"

#include "result_box.h"
#include "result_notes.h"

#include <QLocale>

namespace planewall {

namespace {

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void ResultBoxSink::write(Slot slot, std::string_view text, double value)
{
    const auto index = static_cast<std::size_t>(slot);
    ResultBox *box = m_boxes[index];
    if (!m_textsBefore[index])
        m_textsBefore[index] = box->text();

    if (slot == Slot::Bi) {
        m_bi = value;
        box->setText(fromUtf8(text), fromUtf8(text) + u'\n' + m_inputs);
        return;
    }
    std::optional<std::string> &preciseRoot = m_preciseRoots[index - 1];
    if (!preciseRoot)
        preciseRoot = preciseRootText(m_bi, static_cast<int>(index));
    box->setText(fromUtf8(text), QString::fromStdString(rootNote(text, *preciseRoot)));
}

void ResultBoxSink::inputsRead(double h, double L, double k)
{
    m_inputs = QStringLiteral("from h = %1, L = %2, k = %3 as read")
                   .arg(shortest(h), shortest(L), shortest(k));
}

void ResultBoxSink::announceChanges() const
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_textsBefore[i])
            m_boxes[i]->announceTextChange(*m_textsBefore[i]);
    }
}

} // namespace planewall
