#pragma once

#include "calculation.h"

#include <QString>

#include <array>

namespace planewall {

class ResultBox;

// The five result boxes as the sink of one calculation run: every write replaces its box's text
// at once. It lives for one run only.
class ResultBoxSink final : public ResultSink
{
public:
    using Boxes = std::array<ResultBox *, kAllSlots.size()>; // indexed by Slot

    explicit ResultBoxSink(const Boxes &boxes) : m_boxes(boxes) { }

    void write(Slot slot, std::string_view text, double value) override;
    // Kept until Bi is written, then shown in Bi's tool tip: so that a text read otherwise than
    // meant (such as "1,5" read as 1) can be seen next to the Bi it gave.
    void inputsRead(double h, double L, double k) override;

private:
    Boxes m_boxes;
    QString m_inputs;
};

} // namespace planewall
