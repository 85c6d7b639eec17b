// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "field_text.h"
#include "materials.h"
#include "study.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace planewall {

// What the explorer's form holds, apart from its widgets: every field's text and unit (with
// what was typed, for unit changes), how the wall's heat capacity is given, what to solve for
// and the material the properties came from. The widgets show it and forward the user's edits;
// the study is run from snapshot().
class ExplorerForm
{
public:
    // A plain carbon steel wall 50 mm thick on each side of its mid-plane, from 300 °C into a
    // fluid at 25 °C through h = 500 W/m²K, looked at after 10 min: a wall neither lumped nor
    // semi-infinite, so that every chart shows something.
    ExplorerForm();

    const UnitField &field(Input input) const { return m_fields[index(input)]; }
    bool byDiffusivity() const { return m_byDiffusivity; }
    SolveFor solveFor() const { return m_solveFor; }
    // The material whose values k, ρ and c_p still hold; nullptr once any was edited.
    const Material *material() const { return m_material; }

    // The user's own text in a field. Editing k, ρ or c_p leaves the material.
    void type(Input input, std::string text);
    // The field's unit; returns its new text, converted from what was typed.
    const std::string &changeUnit(Input input, std::string_view unit);
    void setByDiffusivity(bool byDiffusivity) { m_byDiffusivity = byDiffusivity; }
    void setSolveFor(SolveFor solveFor) { m_solveFor = solveFor; }
    // k, ρ and c_p from the material, each in its field's current unit; the wall is then given
    // by ρ and c_p.
    void chooseMaterial(const Material &material);
    // k, ρ and c_p as they are, no longer said to be a material's.
    void leaveMaterial() { m_material = nullptr; }
    // A value handed over in SI (Form1's boxes): the field shows it exactly, in the SI unit.
    void takeSiValue(Input input, double si);
    // A value in SI put into the field in the unit chosen there (a fitted h), kept exactly in SI
    // for later changes of unit.
    void putSiValue(Input input, double si);
    // Text that could not be read as a number (Form1's "1e999"): the field shows it, in the SI
    // unit, so that its error shows beside it.
    void takeUnreadText(Input input, std::string text);

    ExplorerFields snapshot() const;

    // The form as key-value pairs, for settings that outlive the program, and back. restore()
    // takes what it can use from whatever `value` returns (nullopt for a key never saved) and
    // keeps the rest as it was, so that old or edited settings never stop the window.
    using Lookup = std::function<std::optional<std::string>(const std::string &key)>;
    void
    save(const std::function<void(const std::string &key, const std::string &value)> &store) const;
    void restore(const Lookup &value);

private:
    static std::size_t index(Input input) { return static_cast<std::size_t>(input); }

    std::array<UnitField, kInputCount> m_fields;
    bool m_byDiffusivity = false;
    SolveFor m_solveFor = SolveFor::Temperature;
    const Material *m_material = nullptr;
};

// An input's symbol as the explorer labels it: "L", "k", "α", "ρ", "cₚ", "h", "T∞", "Tᵢ", "t",
// "x", "the target".
std::string_view inputSymbol(Input input);

// A study's message as it is shown beside its input: a bare predicate ("must be a finite
// number > 0", "is needed, or α instead") gets the input's symbol before it; a whole sentence
// stays as it is.
std::string fieldMessage(const InputMessage &message);

// The key of an input in settings and messages: "L", "k", "alpha", "rho", "cp", "h", "Ti",
// "Tinf", "t", "x", "target".
std::string_view inputKey(Input input);

} // namespace planewall
