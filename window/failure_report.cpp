#include "failure_report.h"

#include <QMessageBox>

namespace planewall {

namespace {

QString beyondRange(QChar quantity)
{
    return QStringLiteral(", because the number in %1 is beyond the range of numbers")
        .arg(quantity);
}

// What follows the kind in the report; empty where the step tells no more than the kind.
QString cause(const ArithmeticError &error)
{
    switch (error.step()) {
    case FailedStep::ReadH:
        return beyondRange(u'h');
    case FailedStep::ReadL:
        return beyondRange(u'L');
    case FailedStep::ReadK:
        return beyondRange(u'k');
    case FailedStep::ProductHL:
        return QStringLiteral(", because h\u00B7L is too large");
    case FailedStep::QuotientByK:
        return error.kind() == ArithmeticKind::DivisionByZero
            ? QStringLiteral(", because k is 0")
            : QStringLiteral(", because Bi = h\u00B7L/k is too large");
    case FailedStep::RootSearch:
        if (error.root() > 0)
            return QStringLiteral(" in the search for \u03B6%1").arg(error.root());
        return QStringLiteral(" in the search for a root");
    }
    return {};
}

} // namespace

QString failureMessage(const ArithmeticError &error)
{
    QString message = QString::fromUtf8(error.what());
    message[0] = message[0].toUpper();
    return message + cause(error) + u'.';
}

void showFailureMessage(QWidget *window, const ArithmeticError &error)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calculation stopped"),
                    failureMessage(error), QMessageBox::Ok, window);
    box.setInformativeText(QStringLiteral("The calculation stopped at that step. The entry boxes "
                                          "keep their texts, and the result boxes keep what it "
                                          "wrote before."));
    box.exec();
}

} // namespace planewall
