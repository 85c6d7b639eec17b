// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "problem_options.h"

#include "arguments.h"
#include "materials.h"
#include "quantity.h"

namespace planewall::cli {

void ProblemOptions::addTo(CLI::App &app, bool withH)
{
    const auto add = [&](const char *name, std::string &text, const char *help) {
        m_options.push_back(app.add_option(name, text, help));
        return m_options.back();
    };
    add("--L", m_L,
        "half-thickness of the wall, from the mid-plane to the face (m, cm, mm, in, ft)");
    add("--k", m_k, "thermal conductivity (W/mK, Btu/h.ft.F)");
    add("--alpha", m_alpha, "thermal diffusivity (m2/s, mm2/s, ft2/h), or instead:");
    add("--rho", m_rho, "density (kg/m3, lb/ft3), with");
    add("--cp", m_cp, "specific heat (J/kgK, kJ/kgK, Btu/lb.F)");
    add("--material", m_material,
        "k, rho and cp of a common solid at about 300 K (planewall-cli materials lists them)");
    if (withH)
        m_hOption = add("--h", m_h, "heat transfer coefficient (W/m2K, Btu/h.ft2.F)");
    add("--ti", m_tI, "initial temperature of the wall (C, K, F, or a plain number)");
    add("--tinf", m_tInf, "temperature of the fluid");
}

bool ProblemOptions::anyGiven() const
{
    for (const CLI::Option *option : m_options)
        if (option->count() > 0)
            return true;
    return false;
}

double biotFromTexts(std::string_view h, std::string_view L, std::string_view k)
{
    if (h.empty() || L.empty() || k.empty())
        throw UsageProblem{"give --bi, or all three of --h, --L and --k"};
    const double hValue = quantity("--h", h, Quantity::HeatTransferCoefficient).value;
    const double lValue = quantity("--L", L, Quantity::Length).value;
    const double kValue = quantity("--k", k, Quantity::Conductivity).value;
    if (hValue < 0)
        throw UsageProblem{"--h: must be a finite number >= 0"};
    if (!(lValue > 0))
        throw UsageProblem{"--L: must be a finite number > 0"};
    if (!(kValue > 0))
        throw UsageProblem{"--k: must be a finite number > 0"};
    return hValue * lValue / kValue;
}

double ProblemOptions::dimensionlessBiot() const
{
    const std::pair<const char *, const std::string *> others[]
        = {{"--alpha", &m_alpha},       {"--rho", &m_rho}, {"--cp", &m_cp},
           {"--material", &m_material}, {"--ti", &m_tI},   {"--tinf", &m_tInf}};
    for (const auto &[option, text] : others)
        if (!text->empty())
            throw UsageProblem{std::string(option)
                               + ": is for a wall in real units, with --t; with --fo the wall is "
                                 "Bi alone"};
    return biotFromTexts(m_h, m_L, m_k);
}

std::string ProblemOptions::optionFor(Input input)
{
    switch (input) {
    case Input::L:
        return "--L";
    case Input::K:
        return "--k";
    case Input::Alpha:
        return "--alpha";
    case Input::Rho:
        return "--rho";
    case Input::Cp:
        return "--cp";
    case Input::H:
        return "--h";
    case Input::TI:
        return "--ti";
    case Input::TInf:
        return "--tinf";
    case Input::T:
        return "--t";
    case Input::X:
        return "--x";
    case Input::Target:
        break;
    }
    return "--target";
}

Wall ProblemOptions::wall() const
{
    std::optional<double> k, rho, cp, alpha;
    if (!m_material.empty()) {
        const Material *material = findMaterial(m_material);
        if (!material)
            throw UsageProblem{"--material: " + unknownMaterialMessage(m_material)};
        k = material->k;
        rho = material->rho;
        cp = material->cp;
    }
    const auto given = [](const std::string &text, const char *option, Quantity q,
                          std::optional<double> &value) {
        if (!text.empty())
            value = quantity(option, text, q).value;
    };
    given(m_k, "--k", Quantity::Conductivity, k);
    given(m_rho, "--rho", Quantity::Density, rho);
    given(m_cp, "--cp", Quantity::SpecificHeat, cp);
    given(m_alpha, "--alpha", Quantity::Diffusivity, alpha);
    if (m_L.empty())
        throw UsageProblem{"--L is needed: the half-thickness of the wall"};
    if (!k)
        throw UsageProblem{"--k is needed (or --material)"};
    if (alpha && (!m_rho.empty() || !m_cp.empty()))
        throw UsageProblem{"--alpha: give either --alpha or --rho with --cp, not both"};
    if (!alpha && (!rho || !cp))
        throw UsageProblem{"give --alpha, or --rho with --cp, or --material"};
    const double L = quantity("--L", m_L, Quantity::Length).value;
    // A given α stands for the heat capacity too: a material's ρ and c_p are then left out
    // rather than mixed with it.
    return withOptionNames([&] {
        return makeWall(L, *k, alpha, alpha ? std::nullopt : rho, alpha ? std::nullopt : cp);
    });
}

ProblemOptions::Temperatures
ProblemOptions::temperatures(const std::vector<std::pair<std::string, std::string>> &others) const
{
    if (m_tI.empty())
        throw UsageProblem{"--ti is needed: the initial temperature of the wall"};
    if (m_tInf.empty())
        throw UsageProblem{"--tinf is needed: the temperature of the fluid"};
    std::vector<std::pair<std::string, std::string>> all = {{"--ti", m_tI}, {"--tinf", m_tInf}};
    all.insert(all.end(), others.begin(), others.end());
    std::vector<Measured> measured;
    for (const auto &[option, text] : all)
        measured.push_back(quantity(option, text, Quantity::Temperature));
    try {
        const ResolvedTemperatures resolved = resolveTemperatures(measured);
        Temperatures t;
        t.unit = resolved.scale.unit;
        t.tI = resolved.values[0];
        t.tInf = resolved.values[1];
        t.others.assign(resolved.values.begin() + 2, resolved.values.end());
        return t;
    } catch (const QuantityError &error) {
        const std::size_t index = error.index() < all.size() ? error.index() : 0;
        throw UsageProblem{all[index].first + ": " + error.what()};
    }
}

Problem ProblemOptions::problem(const Temperatures &temperatures, bool hSought) const
{
    const Wall w = wall();
    double h = 0;
    if (!hSought) {
        if (m_h.empty())
            throw UsageProblem{"--h is needed: the heat transfer coefficient"};
        h = quantity("--h", m_h, Quantity::HeatTransferCoefficient).value;
    }
    return withOptionNames(
        [&] { return Problem(w, h, temperatures.tI, temperatures.tInf, temperatures.unit); });
}

} // namespace planewall::cli
