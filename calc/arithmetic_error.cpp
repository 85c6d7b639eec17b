// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "arithmetic_error.h"

#include <string_view>

namespace planewall {

namespace {

std::string_view describe(ArithmeticKind kind) noexcept
{
    switch (kind) {
    case ArithmeticKind::DivisionByZero:
        return "division by zero";
    case ArithmeticKind::Overflow:
        return "overflow";
    case ArithmeticKind::InvalidOperation:
        break;
    }
    return "invalid floating-point operation";
}

std::string beyondRange(char quantity)
{
    return std::string("the number in ") + quantity + " is beyond the range of numbers";
}

} // namespace

const char *ArithmeticError::what() const noexcept
{
    // describe() returns views of string literals, so data() is NUL-terminated.
    return describe(m_kind).data();
}

std::string describeCause(const ArithmeticError &error)
{
    switch (error.step()) {
    case FailedStep::ReadH:
        return beyondRange('h');
    case FailedStep::ReadL:
        return beyondRange('L');
    case FailedStep::ReadK:
        return beyondRange('k');
    case FailedStep::ProductHL:
        return "h\u00B7L is too large";
    case FailedStep::QuotientByK:
        return error.kind() == ArithmeticKind::DivisionByZero ? "k is 0"
                                                              : "Bi = h\u00B7L/k is too large";
    case FailedStep::RootSearch:
        break;
    }
    return error.root() > 0 ? "in the search for \u03B6" + std::to_string(error.root())
                            : "in the search for a root";
}

std::string describeFailure(const ArithmeticError &error)
{
    std::string sentence(error.what());
    sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
    // A search names where it failed, not why: no "because" before it.
    sentence += error.step() == FailedStep::RootSearch ? " " : ", because ";
    return sentence + describeCause(error) + '.';
}

} // namespace planewall
