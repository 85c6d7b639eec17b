#include "result_box_sink.h"

#include "result_box.h"

#include <QLocale>

namespace planewall {

namespace {

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

void ResultBoxSink::write(Slot slot, std::string_view text, double)
{
    ResultBox *box = m_boxes[static_cast<std::size_t>(slot)];
    box->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (slot == Slot::Bi)
        box->setNote(m_inputs);
}

void ResultBoxSink::inputsRead(double h, double L, double k)
{
    m_inputs = QStringLiteral("from h = %1, L = %2, k = %3 as read")
                   .arg(shortest(h), shortest(L), shortest(k));
}

} // namespace planewall
