// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "explorer_form.h"

#include <utility>

namespace planewall {

namespace {

UnitField makeField(Input input, std::string text, std::string unit)
{
    return UnitField(quantityOf(input), std::move(text), std::move(unit));
}

bool isMaterialProperty(Input input)
{
    return input == Input::K || input == Input::Rho || input == Input::Cp;
}

} // namespace

ExplorerForm::ExplorerForm()
    : m_fields{makeField(Input::L, "50", "mm"),      makeField(Input::K, "", "W/mK"),
               makeField(Input::Alpha, "", "mm2/s"), makeField(Input::Rho, "", "kg/m3"),
               makeField(Input::Cp, "", "J/kgK"),    makeField(Input::H, "500", "W/m2K"),
               makeField(Input::TI, "300", "C"),     makeField(Input::TInf, "25", "C"),
               makeField(Input::T, "10", "min"),     makeField(Input::X, "0", "mm"),
               makeField(Input::Target, "100", "C")}
{
    chooseMaterial(*findMaterial("steel-plain-carbon"));
    m_fields[index(Input::Alpha)].setValue(m_material->diffusivity());
}

void ExplorerForm::type(Input input, std::string text)
{
    m_fields[index(input)].type(std::move(text));
    if (isMaterialProperty(input))
        m_material = nullptr;
}

const std::string &ExplorerForm::changeUnit(Input input, std::string_view unit)
{
    return m_fields[index(input)].changeUnit(unit);
}

void ExplorerForm::chooseMaterial(const Material &material)
{
    m_fields[index(Input::K)].setValue(material.k);
    m_fields[index(Input::Rho)].setValue(material.rho);
    m_fields[index(Input::Cp)].setValue(material.cp);
    m_byDiffusivity = false;
    m_material = &material;
}

void ExplorerForm::takeSiValue(Input input, double si)
{
    UnitField &f = m_fields[index(input)];
    f.changeUnit(unitsOf(f.quantity()).front().symbol);
    f.type(fieldText(si));
    if (isMaterialProperty(input))
        m_material = nullptr;
}

void ExplorerForm::putSiValue(Input input, double si)
{
    m_fields[index(input)].setValue(si);
    if (isMaterialProperty(input))
        m_material = nullptr;
}

void ExplorerForm::takeUnreadText(Input input, std::string text)
{
    UnitField &f = m_fields[index(input)];
    f.changeUnit(unitsOf(f.quantity()).front().symbol);
    f.type(std::move(text));
    if (isMaterialProperty(input))
        m_material = nullptr;
}

ExplorerFields ExplorerForm::snapshot() const
{
    ExplorerFields fields;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        fields.entries[i] = {m_fields[i].text(), m_fields[i].unit()};
    fields.byDiffusivity = m_byDiffusivity;
    fields.solveFor = m_solveFor;
    return fields;
}

void ExplorerForm::save(
    const std::function<void(const std::string &key, const std::string &value)> &store) const
{
    for (int i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        const std::string key(inputKey(input));
        store(key + "/text", field(input).text());
        store(key + "/unit", field(input).unit());
    }
    store("given-by", m_byDiffusivity ? "diffusivity" : "density");
    store("solve-for", std::string(solveForKey(m_solveFor)));
    store("material", m_material ? std::string(m_material->key) : std::string());
}

void ExplorerForm::restore(const Lookup &value)
{
    for (int i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        const std::string key(inputKey(input));
        UnitField &f = m_fields[index(input)];
        if (const auto unit = value(key + "/unit")) {
            try {
                f.changeUnit(*unit);
            } catch (const std::invalid_argument &) {
                // A unit this version does not know: the field keeps its own.
            }
        }
        if (const auto text = value(key + "/text"))
            f.type(*text);
    }
    if (const auto by = value("given-by"))
        m_byDiffusivity = *by == "diffusivity";
    if (const auto solve = value("solve-for")) {
        if (const auto s = solveForOf(*solve))
            m_solveFor = *s;
    }
    // The material stays chosen only if its values are still the fields' own.
    const auto key = value("material");
    if (!key)
        return;
    m_material = nullptr;
    if (!key->empty()) {
        if (const Material *material = findMaterial(*key)) {
            ExplorerForm check;
            for (Input input : {Input::K, Input::Rho, Input::Cp})
                check.m_fields[index(input)] = m_fields[index(input)];
            check.chooseMaterial(*material);
            bool same = true;
            for (Input input : {Input::K, Input::Rho, Input::Cp}) {
                same = same && check.field(input).text() == field(input).text()
                    && check.field(input).unit() == field(input).unit();
            }
            if (same)
                m_material = material;
        }
    }
}

std::string_view inputSymbol(Input input)
{
    switch (input) {
    case Input::L:
        return "L";
    case Input::K:
        return "k";
    case Input::Alpha:
        return "\u03B1";
    case Input::Rho:
        return "\u03C1";
    case Input::Cp:
        return "c\u209A";
    case Input::H:
        return "h";
    case Input::TI:
        return "T\u1D62";
    case Input::TInf:
        return "T\u221E";
    case Input::T:
        return "t";
    case Input::X:
        return "x";
    case Input::Target:
        return "the target";
    }
    return "";
}

std::string fieldMessage(const InputMessage &message)
{
    const std::string &text = message.message;
    for (std::string_view predicate : {"must ", "is ", "gives ", "needs "}) {
        if (text.starts_with(predicate))
            return std::string(inputSymbol(message.input)) + " " + text;
    }
    return text;
}

std::string_view inputKey(Input input)
{
    switch (input) {
    case Input::L:
        return "L";
    case Input::K:
        return "k";
    case Input::Alpha:
        return "alpha";
    case Input::Rho:
        return "rho";
    case Input::Cp:
        return "cp";
    case Input::H:
        return "h";
    case Input::TI:
        return "Ti";
    case Input::TInf:
        return "Tinf";
    case Input::T:
        return "t";
    case Input::X:
        return "x";
    case Input::Target:
        return "target";
    }
    return "";
}

} // namespace planewall
