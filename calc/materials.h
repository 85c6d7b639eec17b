// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <span>
#include <string>
#include <string_view>

namespace planewall {

// Common solids with their properties near room temperature, each row with its source.
struct Material
{
    std::string_view key; // lower-case ASCII with hyphens: "stainless-aisi-304"
    std::string_view name; // for display: "Stainless steel, AISI 304"
    double k; // thermal conductivity, W/mK
    double rho; // density, kg/m³
    double cp; // specific heat, J/kgK
    double temperature; // K, the temperature the values hold at (300, or 273 for ice)
    std::string_view source; // where all three values of the row come from

    // Thermal diffusivity α = k / (ρ c_p), m²/s.
    constexpr double diffusivity() const { return k / (rho * cp); }
};

// The table, in a stable order (metals, then other solids, then building materials).
std::span<const Material> materials();

// The material with this key, ignoring letter case and taking '_' or ' ' for '-', and the US
// spelling "aluminum" for "aluminium"; nullptr when there is none.
const Material *findMaterial(std::string_view key);

// Every key, separated by ", ", for a message.
std::string materialKeys();

// "unknown material 'x' (known: aluminium-pure, ...)", the name shown as echoed() shows it.
std::string unknownMaterialMessage(std::string_view key);

} // namespace planewall
