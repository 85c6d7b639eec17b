// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "materials.h"

#include "quantity.h"

namespace planewall {

namespace {

// Every row is from one table of one book; the values are the book's, digit for digit.
constexpr std::string_view kMetals
    = "Incropera, DeWitt, Bergman, Lavine, Fundamentals of Heat and Mass Transfer, 6th ed., "
      "Table A.1, 300 K";
constexpr std::string_view kNonmetals
    = "Incropera, DeWitt, Bergman, Lavine, Fundamentals of Heat and Mass Transfer, 6th ed., "
      "Table A.2, 300 K";
constexpr std::string_view kCommon
    = "Incropera, DeWitt, Bergman, Lavine, Fundamentals of Heat and Mass Transfer, 6th ed., "
      "Table A.3, 300 K";
constexpr std::string_view kCommonIce
    = "Incropera, DeWitt, Bergman, Lavine, Fundamentals of Heat and Mass Transfer, 6th ed., "
      "Table A.3, 273 K";

// key, name, k W/mK, ρ kg/m³, c_p J/kgK, T K, source
constexpr Material kMaterials[] = {
    {"aluminium-pure", "Aluminium, pure", 237, 2702, 903, 300, kMetals},
    {"aluminium-2024-t6", "Aluminium alloy 2024-T6", 177, 2770, 875, 300, kMetals},
    {"copper-pure", "Copper, pure", 401, 8933, 385, 300, kMetals},
    {"brass-cartridge", "Cartridge brass (70% Cu, 30% Zn)", 110, 8530, 380, 300, kMetals},
    {"steel-plain-carbon", "Plain carbon steel", 60.5, 7854, 434, 300, kMetals},
    {"steel-aisi-1010", "Carbon steel, AISI 1010", 63.9, 7832, 434, 300, kMetals},
    {"stainless-aisi-304", "Stainless steel, AISI 304", 14.9, 7900, 477, 300, kMetals},
    {"stainless-aisi-316", "Stainless steel, AISI 316", 13.4, 8238, 468, 300, kMetals},
    {"nickel-pure", "Nickel, pure", 90.7, 8900, 444, 300, kMetals},
    {"titanium", "Titanium", 21.9, 4500, 522, 300, kMetals},
    {"lead", "Lead", 35.3, 11340, 129, 300, kMetals},
    {"fused-silica", "Fused silica (polycrystalline SiO2)", 1.38, 2220, 745, 300, kNonmetals},
    {"granite", "Granite (Barre)", 2.79, 2630, 775, 300, kNonmetals},
    {"limestone", "Limestone (Salem)", 2.15, 2320, 810, 300, kNonmetals},
    {"marble", "Marble (Halston)", 2.80, 2680, 830, 300, kNonmetals},
    {"sandstone", "Sandstone (Berea)", 2.90, 2150, 745, 300, kNonmetals},
    {"brick-common", "Common brick", 0.72, 1920, 835, 300, kCommon},
    {"concrete-stone-mix", "Concrete (stone mix)", 1.4, 2300, 880, 300, kCommon},
    {"glass-plate", "Plate glass (soda lime)", 1.4, 2500, 750, 300, kCommon},
    {"pyrex", "Pyrex glass", 1.4, 2225, 835, 300, kCommon},
    {"oak-across-grain", "Oak, across the grain", 0.17, 545, 2385, 300, kCommon},
    {"pine-yellow-across-grain", "Yellow pine, across the grain", 0.15, 640, 2805, 300, kCommon},
    {"ice", "Ice (at 273 K)", 1.88, 920, 2040, 273, kCommonIce},
};

// The key a user's spelling stands for: lower case, '-' for '_' and ' ', and the British
// "aluminium" the keys use for the US "aluminum".
std::string normalisedKey(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string key;
    key.reserve(text.size() + 1);
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == '_' || c == ' ')
            c = '-';
        key += c;
    }
    constexpr std::string_view kUs = "aluminum";
    if (key.starts_with(kUs))
        key.replace(0, kUs.size(), "aluminium");
    return key;
}

} // namespace

std::span<const Material> materials()
{
    return kMaterials;
}

const Material *findMaterial(std::string_view key)
{
    const std::string wanted = normalisedKey(key);
    for (const Material &material : kMaterials) {
        if (material.key == wanted)
            return &material;
    }
    return nullptr;
}

std::string materialKeys()
{
    std::string keys;
    for (const Material &material : kMaterials) {
        if (!keys.empty())
            keys += ", ";
        keys += material.key;
    }
    return keys;
}

std::string unknownMaterialMessage(std::string_view key)
{
    return "unknown material '" + echoed(key) + "' (known: " + materialKeys() + ")";
}

} // namespace planewall
