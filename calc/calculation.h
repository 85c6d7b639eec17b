// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <array>
#include <string_view>

namespace planewall {

// The five result slots a calculation run writes.
enum class Slot { Bi, Zeta1, Zeta2, Zeta3, Zeta4 };

inline constexpr std::array<Slot, 5> kAllSlots
    = {Slot::Bi, Slot::Zeta1, Slot::Zeta2, Slot::Zeta3, Slot::Zeta4};

inline Slot rootSlot(int n)
{
    return static_cast<Slot>(n);
}

// Where a calculation run puts its results. Each write replaces the slot's whole text; `value`
// is the number the text was formatted from, for front ends that show more than the text.
class ResultSink
{
public:
    virtual ~ResultSink() = default;
    virtual void write(Slot slot, std::string_view text, double value) = 0;
    // The numbers the run read from the three texts, before anything is computed from them.
    virtual void inputsRead(double /*h*/, double /*L*/, double /*k*/) { }
};

// One calculation run: reads h, L and k from their texts, writes Bi = h·L/k with two decimals,
// then searches roots 1 to 4 of ζ·tan ζ = Bi in turn, writing every Newton iterate of root n
// with four decimals to its slot as it is produced. Raises ArithmeticError where a step fails;
// whatever was written before stays written.
void calculate(std::string_view hText, std::string_view lText, std::string_view kText,
               ResultSink &sink);

// The same run keeping only the final numbers, for callers that show nothing in between.
struct Solution
{
    double h = 0, L = 0, k = 0;
    double bi = 0;
    std::array<double, 4> zeta{};
};
Solution solve(std::string_view hText, std::string_view lText, std::string_view kText);

// Bi = (h·L)/k, computed in that order; raises on a zero k or a result beyond the double range.
double biotNumber(double h, double L, double k);

} // namespace planewall
