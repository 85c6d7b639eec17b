// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "materials.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace planewall;

namespace {

struct LookupCase
{
    const char *asked;
    const char *found; // nullptr: no such material
};

class FindMaterial : public testing::TestWithParam<LookupCase>
{
};

TEST_P(FindMaterial, ByKeyIgnoringCaseAndSeparators)
{
    const LookupCase c = GetParam();
    const Material *m = findMaterial(c.asked);
    if (!c.found) {
        EXPECT_EQ(m, nullptr) << c.asked << " found " << m->key;
        return;
    }
    ASSERT_NE(m, nullptr) << c.asked;
    EXPECT_EQ(m->key, c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindMaterial,
    testing::Values(LookupCase{"copper-pure", "copper-pure"},
                    LookupCase{"Stainless_AISI_304", "stainless-aisi-304"},
                    LookupCase{"oak across grain", "oak-across-grain"}, LookupCase{" ICE ", "ice"},
                    LookupCase{"aluminum-pure", "aluminium-pure"},
                    LookupCase{"Aluminum_2024_T6", "aluminium-2024-t6"},
                    LookupCase{"copper", nullptr}, LookupCase{"copper-pure-x", nullptr},
                    LookupCase{"unobtainium", nullptr}, LookupCase{"", nullptr},
                    LookupCase{"copper\xe2\x80\x90pure", nullptr}));

struct PublishedRow
{
    const char *key;
    double k, rho, cp; // W/mK, kg/m³, J/kgK
    // α·10⁶ in m²/s as the book prints it beside the row (three digits), or 0 where its table
    // has no α column; a check on the row's three values that was not typed from them.
    double alphaMicro;
    double temperature;
};

class PublishedValues : public testing::TestWithParam<PublishedRow>
{
};

// Incropera et al., Fundamentals of Heat and Mass Transfer, Tables A.1 to A.3.
TEST_P(PublishedValues, MatchTheBook)
{
    const PublishedRow r = GetParam();
    const Material *m = findMaterial(r.key);
    ASSERT_NE(m, nullptr) << r.key;
    EXPECT_EQ(m->k, r.k) << r.key;
    EXPECT_EQ(m->rho, r.rho) << r.key;
    EXPECT_EQ(m->cp, r.cp) << r.key;
    EXPECT_EQ(m->temperature, r.temperature) << r.key;
    if (r.alphaMicro > 0) {
        EXPECT_NEAR(m->diffusivity() * 1e6, r.alphaMicro, 0.006 * r.alphaMicro) << r.key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PublishedValues,
    testing::Values(PublishedRow{"aluminium-pure", 237, 2702, 903, 97.1, 300},
                    PublishedRow{"aluminium-2024-t6", 177, 2770, 875, 73.0, 300},
                    PublishedRow{"copper-pure", 401, 8933, 385, 117, 300},
                    PublishedRow{"brass-cartridge", 110, 8530, 380, 33.9, 300},
                    PublishedRow{"steel-plain-carbon", 60.5, 7854, 434, 17.7, 300},
                    PublishedRow{"steel-aisi-1010", 63.9, 7832, 434, 18.8, 300},
                    PublishedRow{"stainless-aisi-304", 14.9, 7900, 477, 3.95, 300},
                    PublishedRow{"stainless-aisi-316", 13.4, 8238, 468, 3.48, 300},
                    PublishedRow{"nickel-pure", 90.7, 8900, 444, 23.0, 300},
                    PublishedRow{"titanium", 21.9, 4500, 522, 9.32, 300},
                    PublishedRow{"lead", 35.3, 11340, 129, 24.1, 300},
                    PublishedRow{"fused-silica", 1.38, 2220, 745, 0.834, 300},
                    PublishedRow{"granite", 2.79, 2630, 775, 1.37, 300},
                    PublishedRow{"limestone", 2.15, 2320, 810, 1.14, 300},
                    PublishedRow{"marble", 2.80, 2680, 830, 1.26, 300},
                    PublishedRow{"sandstone", 2.90, 2150, 745, 1.81, 300},
                    PublishedRow{"brick-common", 0.72, 1920, 835, 0, 300},
                    PublishedRow{"glass-plate", 1.4, 2500, 750, 0, 300},
                    PublishedRow{"oak-across-grain", 0.17, 545, 2385, 0, 300},
                    PublishedRow{"ice", 1.88, 920, 2040, 0, 273}));

TEST(Materials, EveryRowIsWellFormed)
{
    std::set<std::string_view> keys;
    for (const Material &m : materials()) {
        EXPECT_TRUE(keys.insert(m.key).second) << "twice: " << m.key;
        EXPECT_EQ(m.key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"),
                  std::string_view::npos)
            << m.key;
        EXPECT_EQ(findMaterial(m.key), &m) << m.key;
        // Solids conduct heat at α between about 1e-8 (insulators) and 2e-4 m²/s (silver).
        EXPECT_GT(m.diffusivity(), 1e-8) << m.key;
        EXPECT_LT(m.diffusivity(), 2e-4) << m.key;
        EXPECT_FALSE(m.name.empty()) << m.key;
        EXPECT_NE(m.source.find("Table A."), std::string_view::npos) << m.key;
        EXPECT_NE(m.source.find(std::to_string(static_cast<int>(m.temperature)) + " K"),
                  std::string_view::npos)
            << m.key << ": " << m.source;
    }
    EXPECT_GE(keys.size(), 18u);
}

TEST(Materials, UnknownNameListsTheKnown)
{
    const std::string message = unknownMaterialMessage("unobtainium\n");
    EXPECT_EQ(message.find("unknown material 'unobtainium\\n' (known: aluminium-pure, "), 0u)
        << message;
    EXPECT_NE(message.find(", ice"), std::string::npos) << message;
}

} // namespace
