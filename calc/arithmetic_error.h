// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <exception>
#include <string>

namespace planewall {

// The kinds of failure a calculation can meet; each stops the run at the failing step.
enum class ArithmeticKind { DivisionByZero, Overflow, InvalidOperation };

// Where in a run the failure happened, so a front end can name its cause in the user's terms.
enum class FailedStep {
    ReadH, // converting the text of h
    ReadL, // converting the text of L
    ReadK, // converting the text of k
    ProductHL, // h * L
    QuotientByK, // (h * L) / k
    RootSearch, // a Newton step of one root's search
};

class ArithmeticError : public std::exception
{
public:
    ArithmeticError(ArithmeticKind kind, FailedStep step, int root = 0) noexcept
        : m_kind(kind), m_step(step), m_root(root)
    { }

    ArithmeticKind kind() const noexcept { return m_kind; }
    FailedStep step() const noexcept { return m_step; }
    // The root (1 to 4) whose search failed; 0 when the failure was not in a search.
    int root() const noexcept { return m_root; }

    // "division by zero", "overflow" or "invalid floating-point operation".
    const char *what() const noexcept override;

private:
    ArithmeticKind m_kind;
    FailedStep m_step;
    int m_root;
};

// The cause in the user's terms, UTF-8: "k is 0", "h·L is too large", "the number in L is
// beyond the range of numbers", "in the search for ζ2".
std::string describeCause(const ArithmeticError &error);

// The whole report as one sentence: "Division by zero, because k is 0."
std::string describeFailure(const ArithmeticError &error);

} // namespace planewall
