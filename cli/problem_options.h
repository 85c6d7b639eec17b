// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "arguments.h"
#include "problem.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace planewall::cli {

// The options that describe a wall in real units, its fluid and its start, as `temperature`,
// `solve` and `fit` share them: --L, --k, --alpha or --rho with --cp or --material, --h, --ti,
// --tinf. Each value is a strict number with an optional unit.
class ProblemOptions
{
public:
    // `withH`: whether --h is an option (not when h is what is solved for).
    void addTo(CLI::App &app, bool withH = true);

    // Whether any option of a dimensional problem was given.
    bool anyGiven() const;
    bool hGiven() const { return m_hOption && m_hOption->count() > 0; }

    // The wall, from --L, --k and --alpha, --rho with --cp, or --material (whose values the
    // explicit options override). Missing or bad values are UsageProblem naming the option.
    Wall wall() const;

    // The temperatures --ti and --tinf, then `others` (option, text) in that order, in the
    // problem's one scale; the scale's unit ("" when none was given a unit).
    struct Temperatures
    {
        std::string unit;
        double tI = 0, tInf = 0;
        std::vector<double> others;
    };
    Temperatures temperatures(const std::vector<std::pair<std::string, std::string>> &others
                              = {}) const;

    // The whole problem, with h from --h; or, when h is what is sought, with h = 0.
    Problem problem(const Temperatures &temperatures, bool hSought = false) const;

    // Bi = h·L/k from --h, --L and --k alone, for a dimensionless problem; any other option of
    // the wall is a UsageProblem there.
    double dimensionlessBiot() const;

    // A calc InputError as a usage error naming this command line's option.
    static std::string optionFor(Input input);

private:
    std::string m_L, m_k, m_alpha, m_rho, m_cp, m_material, m_h, m_tI, m_tInf;
    std::vector<CLI::Option *> m_options;
    CLI::Option *m_hOption = nullptr;
};

// Bi = h·L/k from the texts of --h, --L and --k: strict values whose units, if any, are
// converted, so that any consistent set gives the same Bi. h >= 0, L and k > 0; an h·L beyond
// the doubles makes Bi infinite, the face held at the fluid's temperature.
double biotFromTexts(std::string_view h, std::string_view L, std::string_view k);

// Runs `build` and turns calc's InputError into a UsageProblem naming the option.
template<typename Build> auto withOptionNames(Build build)
{
    try {
        return build();
    } catch (const InputError &error) {
        throw UsageProblem{ProblemOptions::optionFor(error.input()) + ": " + error.what()};
    }
}

} // namespace planewall::cli
