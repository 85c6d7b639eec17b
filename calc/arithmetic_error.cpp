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

} // namespace

const char *ArithmeticError::what() const noexcept
{
    // describe() returns views of string literals, so data() is NUL-terminated.
    return describe(m_kind).data();
}

} // namespace planewall
