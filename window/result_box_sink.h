// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "calculation.h"

#include <QString>

#include <array>
#include <optional>
#include <string>

namespace planewall {

class ResultBox;

// The five result boxes as the sink of one calculation run: every write replaces its box's text
// at once, with the tool tip's note on it. It lives for one run only.
class ResultBoxSink final : public ResultSink
{
public:
    using Boxes = std::array<ResultBox *, kAllSlots.size()>; // indexed by Slot

    explicit ResultBoxSink(const Boxes &boxes) : m_boxes(boxes) { }

    // Bi's note names the h, L and k it came from, so that a text read otherwise than meant
    // (such as "1,5" read as 1) can be seen next to the Bi it gave. A root's note gives the
    // root from the precise search next to the text shown.
    void write(Slot slot, std::string_view text, double value) override;
    void inputsRead(double h, double L, double k) override;

    // Tells assistive technology once about each box the run wrote, with its final text. Called
    // when the run has ended, whether it ran through or stopped.
    void announceChanges() const;

private:
    Boxes m_boxes;
    QString m_inputs;
    double m_bi = 0;
    std::array<std::optional<std::string>, 4> m_preciseRoots; // found at the root's first write
    std::array<std::optional<QString>, kAllSlots.size()> m_textsBefore; // of the boxes written
};

} // namespace planewall
