// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// planewall-cli as a user and a script see it: what goes to standard output and error, and the
// exit status, for the calculator's own modes and the subcommands.

#include "cli.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

struct Outcome
{
    int status;
    std::string out;
    std::string err;
};

Outcome runCli(std::vector<std::string_view> args, const std::string &input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = planewall::cli::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

const std::string kStartValues = "Bi\t1.00\nzeta1\t0.8603\nzeta2\t3.4256\nzeta3\t6.4373\n"
                                 "zeta4\t9.5293\n";

// How an expected text is compared: whole, its beginning, or a part of it.
enum class Match { Whole, Start, Part };

struct Case
{
    const char *name;
    std::vector<std::string_view> args;
    int status;
    std::string out; // compared as `outMatch` says
    Match outMatch;
    std::string err; // a part of standard error; empty means none at all
};

// The steel plate of the worked problems, with `changes` to its options (an empty value leaves
// the option out), after `args`.
std::vector<std::string_view>
with(std::vector<std::string_view> args,
     std::vector<std::pair<std::string_view, std::string_view>> changes = {})
{
    std::vector<std::pair<std::string_view, std::string_view>> plate
        = {{"--L", "0.05"}, {"--k", "48"},   {"--rho", "7830"}, {"--cp", "550"},
           {"--h", "250"},  {"--ti", "200"}, {"--tinf", "800"}};
    for (auto &[option, value] : plate)
        for (const auto &[changed, to] : changes)
            if (option == changed)
                value = to;
    for (const auto &[option, value] : plate) {
        if (value.empty())
            continue; // left out
        args.push_back(option);
        args.push_back(value);
    }
    return args;
}

TEST(Cli, Cases)
{
    const std::string megaArgument(128 * 1024, 'x');
    const std::vector<Case> cases = {
        // The calculator's own modes.
        {"one case", {"1", "1", "1"}, 0, kStartValues, Match::Whole, ""},
        {"a leading minus is a text", {"-1", "1", "1"}, 0, "Bi\t-1.00\nzeta1\t2", Match::Start, ""},
        {"-- lets a text look like an option",
         {"--", "--steps", "1", "1"},
         0,
         "Bi\t0.00\nzeta1\t0.0008",
         Match::Start,
         ""},
        {"a root found in one step keeps its line",
         {"1.5574077246549023", "1", "1"},
         0,
         "Bi\t1.56\nzeta1\t1.0000\nzeta2\t3.5545\nzeta3\t6.5177\nzeta4\t9.5858\n",
         Match::Whole,
         ""},
        {"steps before their root's line",
         {"--steps", "1", "1", "1"},
         0,
         "Bi\t1.00\n"
         "zeta1\tstep\t1\t0.8881\t0.8881364757099055\n"
         "zeta1\tstep\t2\t0.8615\t0.86146461820104869\n"
         "zeta1\tstep\t3\t0.8603\t0.86033547682850564\n"
         "zeta1\tstep\t4\t0.8603\t0.86033358902464108\n"
         "zeta1\t0.8603\nzeta2\tstep\t1\t",
         Match::Start,
         ""},
        {"k 0", {"1", "1", "0"}, 1, "", Match::Whole, "planewall-cli: division by zero: k is 0\n"},
        {"0 / 0", {"0", "0", "0"}, 1, "", Match::Whole, "division by zero: k is 0\n"},
        {"h L too large",
         {"1e200", "1e200", "1"},
         1,
         "",
         Match::Whole,
         "planewall-cli: overflow: h\u00B7L is too large\n"},
        {"k unreadable",
         {"--steps", "1", "1", "1e999"},
         1,
         "",
         Match::Whole,
         "overflow: the number in k is beyond the range of numbers\n"},
        {"no texts", {}, 2, "", Match::Whole, "expected three texts"},
        {"two texts", {"1", "1"}, 2, "", Match::Whole, "usage: planewall-cli"},
        {"four texts", {"1", "1", "1", "1"}, 2, "", Match::Whole, "expected three texts"},
        {"an option after the texts", {"1", "1", "1", "--steps"}, 2, "", Match::Whole, "usage"},
        {"--batch with texts", {"--batch", "1", "1", "1"}, 2, "", Match::Whole, "takes no texts"},
        {"--batch with --steps", {"--batch", "--steps"}, 2, "", Match::Whole, "no --steps"},
        {"--help lists the exit statuses", {"--help"}, 0, "2  a usage error", Match::Part, ""},
        {"--version", {"--version"}, 0, "planewall-cli " PLANEWALL_VERSION "\n", Match::Whole, ""},
        {"subcommands only first",
         {"--steps", "roots", "1", "1"},
         0,
         "Bi\t0.00\n",
         Match::Start,
         ""},

        // roots
        {"roots, two",
         {"roots", "--bi", "1", "--count", "2"},
         0,
         "n\tzeta\tC\n1\t0.860333589\t1.119132008\n2\t3.425618459\t-0.1516924023\n",
         Match::Whole,
         ""},
        {"roots at full precision as CSV",
         {"roots", "--bi", "1", "--count", "1", "--csv", "--precision", "17"},
         0,
         "n,zeta,C\n1,0.86033358901937973,1.1191320084054337\n",
         Match::Whole,
         ""},
        {"roots without --count: four",
         {"roots", "--bi", "10"},
         0,
         "n\tzeta\tC\n1\t1.428870011\t1.261962589\n2\t4.305801413\t-0.3934325433\n"
         "3\t7.228109772\t0.2104285874\n4\t10.20026259\t-0.1308507422\n",
         Match::Whole,
         ""},
        {"--count 010 is ten",
         {"roots", "--bi", "1", "--count", "010"},
         0,
         "\n10\t28.30964285\t-0.002490861343\n",
         Match::Part,
         ""},
        {"--count with a plus and blanks",
         {"roots", "--bi", "1", "--count", " +2 "},
         0,
         "\n2\t3.4256",
         Match::Part,
         ""},
        {"Bi 0",
         {"roots", "--bi", "0", "--count", "2"},
         0,
         "n\tzeta\tC\n1\t0\t1\n2\t3.141592654\t0\n",
         Match::Whole,
         ""},
        {"--bi -0 is Bi 0",
         {"roots", "--bi", "-0", "--count", "1"},
         0,
         "1\t0\t1\n",
         Match::Part,
         ""},
        {"--bi with blanks",
         {"roots", "--bi", " 1 ", "--count", "1"},
         0,
         "1\t0.860333589\t",
         Match::Part,
         ""},
        {"roots from h, L and k with units",
         {"roots", "--h", "100", "--L", "5cm", "--k", "0.5", "--count", "1"},
         0,
         "1\t1.428870011\t",
         Match::Part,
         ""},
        {"--count 0x10",
         {"roots", "--bi", "1", "--count", "0x10"},
         2,
         "",
         Match::Whole,
         "--count: '0x10' is not a whole number"},
        {"--count 1e3",
         {"roots", "--bi", "1", "--count", "1e3"},
         2,
         "",
         Match::Whole,
         "is not a whole number"},
        {"--count 10.0",
         {"roots", "--bi", "1", "--count", "10.0"},
         2,
         "",
         Match::Whole,
         "is not a whole number"},
        {"--count abc",
         {"roots", "--bi", "1", "--count", "abc"},
         2,
         "",
         Match::Whole,
         "'abc' is not a whole number"},
        {"--count 10001",
         {"roots", "--bi", "1", "--count", "10001"},
         2,
         "",
         Match::Whole,
         "must be 1 to 10000"},
        {"--count 0",
         {"roots", "--bi", "1", "--count", "0"},
         2,
         "",
         Match::Whole,
         "must be 1 to 10000"},
        {"--precision 0",
         {"roots", "--bi", "1", "--precision", "0"},
         2,
         "",
         Match::Whole,
         "--precision: '0' must be 1 to 17"},
        {"--bi 1abc", {"roots", "--bi", "1abc"}, 2, "", Match::Whole, "--bi: "},
        {"--bi negative", {"roots", "--bi", "-1e-300"}, 2, "", Match::Whole, "Bi is negative"},
        {"--bi and --h", {"roots", "--bi", "1", "--h", "1"}, 2, "", Match::Whole, "excludes"},
        {"--h alone", {"roots", "--h", "1"}, 2, "", Match::Whole, "all three of --h, --L and --k"},
        {"k 0 is not a wall",
         {"roots", "--h", "1", "--L", "1", "--k", "0"},
         2,
         "",
         Match::Whole,
         "--k: must be"},
        {"an unexpected argument",
         {"roots", "--bi", "1", "extra"},
         2,
         "",
         Match::Whole,
         "unexpected argument 'extra'"},
        {"a long argument is echoed cut short",
         {"roots", "--bi", megaArgument},
         2,
         "",
         Match::Whole,
         "'" + std::string(60, 'x') + "...'"},

        // temperature, dimensionless
        {"temperature at three places",
         {"temperature", "--bi", "1", "--fo", "0.3", "--x", "0,0.5,1"},
         0,
         "x_star\tFo\ttheta\ttheta_one_term\terror_one_term\tmethod\n"
         "0\t0.3\t0.891795499\t0.8962832641\t0.004487765087\tseries\n"
         "0.5\t0.3\t0.8152634791\t0.8146284576\t-0.000635021438\tseries\n"
         "1\t0.3\t0.588850489\t0.5845421635\t-0.00430832542\tseries\n"
         "\n"
         "Fo\tmean_theta\tQ_ratio\tq_star\ttheta_lumped\terror_lumped\tQ_ratio_one_term\t"
         "error_one_term\n"
         "0.3\t0.790103399\t0.209896601\t0.588850489\t0.7408182207\t-0.04928517834\t"
         "0.2102637288\t0.000367127776\n",
         Match::Whole,
         ""},
        {"h below 1 from --h, --L, --k",
         {"temperature", "--h", "0.5", "--L", "1", "--k", "1", "--fo", "1", "--x", "0", "--json"},
         0,
         "{\"Bi\":0.5,",
         Match::Start,
         ""},
        {"Fo 0.2 needs no note",
         {"temperature", "--bi", "1", "--fo", "0.2", "--x", "0"},
         0,
         "x_star",
         Match::Start,
         ""},
        {"below Fo 0.2 a note",
         {"temperature", "--bi", "1", "--fo", "0.19999", "--x", "0"},
         0,
         "x_star",
         Match::Start,
         "planewall-cli: note: Fo < 0.2: the one-term approximation"},
        {"--x -0 shows 0",
         {"temperature", "--bi", "1", "--fo", "1", "--x", "-0"},
         0,
         "\n0\t1\t",
         Match::Part,
         ""},
        {"Bi 0 never changes",
         {"temperature", "--bi", "0", "--fo", "1", "--x", "0.5"},
         0,
         "\n0.5\t1\t1\t1\t0\tseries\n",
         Match::Part,
         ""},
        {"early: semi-infinite",
         {"temperature", "--bi", "1e6", "--fo", "1e-10", "--x", "0.9999"},
         0,
         "semi-infinite\n",
         Match::Part,
         "note: Fo < 0.2"},
        {"--fo without its value",
         {"temperature", "--bi", "1", "--fo", "--x", "0"},
         2,
         "",
         Match::Whole,
         "--fo: a value is missing"},
        {"--x outside [0, 1]",
         {"temperature", "--bi", "1", "--fo", "1", "--x", "0,1.5"},
         2,
         "",
         Match::Whole,
         "--x: '1.5' is not in [0, 1]"},
        {"--x with an empty item",
         {"temperature", "--bi", "1", "--fo", "1", "--x", "0,"},
         2,
         "",
         Match::Whole,
         "empty item"},
        {"--fo negative",
         {"temperature", "--bi", "1", "--fo", "-1", "--x", "0"},
         2,
         "",
         Match::Whole,
         "--fo: '-1' is negative"},
        {"--fo nan",
         {"temperature", "--bi", "1", "--fo", "nan", "--x", "0"},
         2,
         "",
         Match::Whole,
         "--fo: "},
        {"--t and --fo",
         {"temperature", "--bi", "1", "--fo", "1", "--t", "1", "--x", "0"},
         2,
         "",
         Match::Whole,
         "--t and --fo"},
        {"--json with --csv",
         {"temperature", "--bi", "1", "--fo", "1", "--x", "0", "--csv", "--json"},
         2,
         "",
         Match::Whole,
         "--json and --csv"},

        // temperature, real units
        {"steel plate, Ti = Tinf",
         {"temperature", "--L", "5cm", "--k", "48", "--alpha", "1e-5", "--h", "250", "--ti", "20C",
          "--tinf", "68F", "--t", "1min", "--x", "surface"},
         0,
         "\t0.8705096004\t20\t",
         Match::Part,
         "note: Ti = Tinf"},
        {"without rho and cp, no Q",
         {"temperature", "--L", "5cm", "--k", "48", "--alpha", "1e-5", "--h", "250", "--ti", "20",
          "--tinf", "100", "--t", "1min", "--x", "0", "--csv"},
         0,
         "\nt,Fo,mean_theta,mean_T,Q_ratio,q_star,q_s,theta_lumped,",
         Match::Part,
         ""},
        {"the face at 13 mm of 13 mm",
         {"temperature", "--L", "13mm", "--k", "48", "--alpha", "1e-5", "--h", "250", "--ti", "20",
          "--tinf", "100", "--t", "1", "--x", "13mm"},
         0,
         "0.013\t1\t1\t",
         Match::Part,
         "note: Fo < 0.2"},
        {"--x surface among distances", with({"temperature", "--t", "1", "--x", " surface ,0"}), 0,
         "\n0.05\t1\t1\t", Match::Part, "note: Fo < 0.2"},
        {"--x surfaces", with({"temperature", "--t", "1", "--x", "surfaces"}), 2, "", Match::Whole,
         "--x: 'surfaces'"},
        {"--x beyond L", with({"temperature", "--t", "1", "--x", "6cm"}), 2, "", Match::Whole,
         "--x: must lie in [0, L]"},
        {"--L zero",
         {"temperature", "--L", "0", "--k", "48", "--alpha", "1e-5", "--h", "250", "--ti", "20",
          "--tinf", "100", "--t", "1", "--x", "0"},
         2,
         "",
         Match::Whole,
         "--L: "},
        {"--k negative", with({"temperature", "--t", "1", "--x", "0"}, {{"--k", "-1"}}), 2, "",
         Match::Whole, "--k: must be a finite number > 0"},
        {"--rho zero", with({"temperature", "--t", "1", "--x", "0"}, {{"--rho", "0"}}), 2, "",
         Match::Whole, "--rho: must be"},
        {"--rho without --cp", with({"temperature", "--t", "1", "--x", "0"}, {{"--cp", ""}}), 2, "",
         Match::Whole, "give --alpha, or --rho with --cp, or --material"},
        {"a heat capacity beyond the doubles",
         with({"temperature", "--t", "1", "--x", "0"},
              {{"--k", "1e-300"}, {"--rho", "1e200"}, {"--cp", "1e200"}}),
         2, "", Match::Whole,
         "--rho: gives a diffusivity k/(\u03C1c_p) beyond the range of numbers"},
        {"--cp zero", with({"temperature", "--t", "1", "--x", "0"}, {{"--cp", "0"}}), 2, "",
         Match::Whole, "--cp: must be"},
        {"--h negative", with({"temperature", "--t", "1", "--x", "0"}, {{"--h", "-1"}}), 2, "",
         Match::Whole, "--h: must be a finite number >= 0"},
        {"--t negative", with({"temperature", "--t", "-1", "--x", "0"}), 2, "", Match::Whole,
         "--t: '-1' is negative"},
        {"--L in seconds", with({"temperature", "--t", "1", "--x", "0"}, {{"--L", "5s"}}), 2, "",
         Match::Whole,
         "--L: '5s': 's' is a unit of time, not of length (accepted: m, cm, mm, in, ft)"},
        {"below absolute zero", with({"temperature", "--t", "1", "--x", "0"}, {{"--ti", "-300C"}}),
         2, "", Match::Whole, "--ti: "},
        {"--tinf inf", with({"temperature", "--t", "1", "--x", "0"}, {{"--tinf", "inf"}}), 2, "",
         Match::Whole, "--tinf: "},
        {"unknown material",
         {"temperature", "--L", "1", "--material", "cheese", "--h", "1", "--ti", "1", "--tinf", "2",
          "--t", "1", "--x", "0"},
         2,
         "",
         Match::Whole,
         "--material: unknown material 'cheese'"},

        // solve
        {"to a temperature never reached",
         with({"solve", "--for", "t", "--target", "850", "--x", "0"}), 1, "", Match::Whole,
         "850 is never reached: the wall tends to T\u221E = 800\n"},
        {"to a temperature on the wrong side",
         with({"solve", "--for", "t", "--target", "100C", "--x", "0"}), 1, "", Match::Whole,
         "100 \u00B0C is never reached: the wall starts at Ti = 200 \u00B0C"},
        {"with h = 0",
         {"solve", "--for", "t", "--target", "30", "--x", "0", "--L", "1", "--k", "1", "--alpha",
          "1", "--h", "0", "--ti", "20", "--tinf", "40"},
         1,
         "",
         Match::Whole,
         "with h = 0 no heat is exchanged"},
        {"h beyond the limit",
         with({"solve", "--for", "h", "--target", "700", "--x", "0", "--t", "1min"}, {{"--h", ""}}),
         1, "", Match::Whole,
         "700 is not reached by then even as h \u2192 \u221E, which gives 405.839\n"},
        {"a wall that never changes",
         {"solve", "--for", "t", "--target", "30", "--x", "0", "--L", "1", "--k", "1", "--alpha",
          "1", "--h", "1", "--ti", "20", "--tinf", "20"},
         1,
         "",
         Match::Whole,
         "the wall never changes"},
        {"--for t given --t",
         with({"solve", "--for", "t", "--target", "550", "--x", "0", "--t", "1"}), 2, "",
         Match::Whole, "--t: it is what --for t solves for"},
        {"--for h given --h",
         with({"solve", "--for", "h", "--target", "550", "--x", "0", "--t", "1"}), 2, "",
         Match::Whole, "--h: it is what --for h solves for"},
        {"--x with --mean", with({"solve", "--for", "t", "--target", "550", "--x", "0", "--mean"}),
         2, "", Match::Whole, "--x and --mean"},
        {"--for z", with({"solve", "--for", "z", "--target", "550", "--x", "0"}), 2, "",
         Match::Whole, "--for: 'z' is not one of t, h, fo, bi"},
        {"dimensionless Fo, x* beyond the face",
         {"solve", "--for", "fo", "--bi", "1", "--target-theta", "0.5", "--x", "1.5"},
         2,
         "",
         Match::Whole,
         "--x: '1.5' is not in [0, 1]"},
        {"dimensionless Fo on the mean",
         {"solve", "--for", "fo", "--bi", "1", "--target-theta", "0.5", "--mean"},
         0,
         "for\tvalue\tunit\trel_error\tBi\tFo\nfo\t0.9175460796",
         Match::Start,
         ""},

        {"dimensionless Bi at a place",
         {"solve", "--for", "bi", "--fo", "1", "--target-theta", "0.5", "--x", "0"},
         0,
         "for\tvalue\tunit\trel_error\tBi\tFo\nbi\t1.145651433\t", // mpmath 1.14565143284
         Match::Start,
         ""},
        {"dimensionless Bi on the mean",
         {"solve", "--for", "bi", "--fo", "1", "--target-theta", "0.5", "--mean"},
         0,
         "for\tvalue\tunit\trel_error\tBi\tFo\nbi\t0.8944399491\t", // mpmath 0.89443994915
         Match::Start,
         ""},
        {"--for bi given --bi",
         {"solve", "--for", "bi", "--bi", "1", "--fo", "1", "--target-theta", "0.5", "--mean"},
         2,
         "",
         Match::Whole,
         "--bi: it is what --for bi solves for"},
        {"--for bi without --fo",
         {"solve", "--for", "bi", "--target-theta", "0.5", "--mean"},
         2,
         "",
         Match::Whole,
         "--fo is needed"},
        {"--for bi, --fo negative",
         {"solve", "--for", "bi", "--fo", "-1", "--target-theta", "0.5", "--mean"},
         2,
         "",
         Match::Whole,
         "--fo: '-1' is negative"},
        {"--for fo given --fo",
         {"solve", "--for", "fo", "--bi", "1", "--fo", "1", "--target-theta", "0.5", "--mean"},
         2,
         "",
         Match::Whole,
         "--fo: it is what --for fo solves for"},
        {"--for fo given --t",
         {"solve", "--for", "fo", "--bi", "1", "--t", "1", "--target-theta", "0.5", "--mean"},
         2,
         "",
         Match::Whole,
         "--t: --for fo is dimensionless; give --fo"},
        {"--for fo given a temperature",
         {"solve", "--for", "fo", "--bi", "1", "--target", "20", "--mean"},
         2,
         "",
         Match::Whole,
         "--target: --for fo is dimensionless; give --target-theta"},
        {"--for fo, Bi negative",
         {"solve", "--for", "fo", "--bi", "-1", "--target-theta", "0.5", "--mean"},
         2,
         "",
         Match::Whole,
         "--bi: Bi is negative"},
        {"--for t given --fo",
         with({"solve", "--for", "t", "--target", "550", "--x", "0", "--fo", "1"}), 2, "",
         Match::Whole, "--fo: --for t solves a wall in real units"},
        {"--for h without --t",
         with({"solve", "--for", "h", "--target", "550", "--x", "0"}, {{"--h", ""}}), 2, "",
         Match::Whole, "--t is needed"},
        {"neither --x nor --mean", with({"solve", "--for", "t", "--target", "550"}), 2, "",
         Match::Whole, "give --x (a place) or --mean"},
        {"both targets",
         with({"solve", "--for", "t", "--target", "550", "--target-theta", "0.5", "--mean"}), 2, "",
         Match::Whole, "--target and --target-theta: give one of them"},
        {"no target", with({"solve", "--for", "t", "--mean"}), 2, "", Match::Whole,
         "give --target (a temperature) or --target-theta"},
        {"the material's k, rho and c_p",
         {"temperature", "--L", "40mm", "--material", "steel-aisi-1010", "--h", "500", "--ti",
          "-20", "--tinf", "60", "--t", "8min", "--x", "0"},
         0,
         // mpmath: Fo 5.6397480736, T 43.016241018 for k 63.9, rho 7832, c_p 434
         "x\tx_star\tt\tFo\ttheta\tT\ttheta_one_term\terror_one_term\tmethod\n"
         "0\t0\t480\t5.639748074\t0.2122969873\t43.01624102\t",
         Match::Start,
         ""},
        {"--L missing", with({"temperature", "--t", "1", "--x", "0"}, {{"--L", ""}}), 2, "",
         Match::Whole, "--L is needed"},
        {"--k missing", with({"temperature", "--t", "1", "--x", "0"}, {{"--k", ""}}), 2, "",
         Match::Whole, "--k is needed (or --material)"},
        {"--alpha and --rho", with({"temperature", "--t", "1", "--x", "0", "--alpha", "1e-5"}), 2,
         "", Match::Whole, "--alpha: give either --alpha or --rho with --cp, not both"},
        {"--ti missing", with({"temperature", "--t", "1", "--x", "0"}, {{"--ti", ""}}), 2, "",
         Match::Whole, "--ti is needed"},
        {"--tinf missing", with({"temperature", "--t", "1", "--x", "0"}, {{"--tinf", ""}}), 2, "",
         Match::Whole, "--tinf is needed"},
        {"--h missing", with({"temperature", "--t", "1", "--x", "0"}, {{"--h", ""}}), 2, "",
         Match::Whole, "--h is needed"},
        {"--L 0", with({"temperature", "--t", "1", "--x", "0"}, {{"--L", "0"}}), 2, "",
         Match::Whole, "--L: must be a finite number > 0"},
        {"neither --t nor --fo", with({"temperature", "--x", "0"}), 2, "", Match::Whole,
         "give --t (a wall in real units) or --fo (dimensionless)"},
        {"--x missing", with({"temperature", "--t", "1"}), 2, "", Match::Whole, "--x is needed"},
        {"--bi with a wall in real units",
         with({"temperature", "--t", "1", "--x", "0", "--bi", "1"}), 2, "", Match::Whole,
         "--bi: a wall in real units has its Bi from --h, --L and --k"},
        {"roots with h alone",
         {"roots", "--h", "1"},
         2,
         "",
         Match::Whole,
         "give --bi, or all three of --h, --L and --k"},

        // verify, materials
        {"verify passes", {"verify", "--json"}, 0, "\"failed\":0}", Match::Part, ""},
        {"materials",
         {"materials"},
         0,
         "key\tname\tk\trho\tcp\talpha\tT\tsource\n",
         Match::Start,
         ""},
    };
    for (const Case &c : cases) {
        const Outcome o = runCli(c.args);
        EXPECT_EQ(o.status, c.status) << c.name << "\n" << o.err;
        switch (c.outMatch) {
        case Match::Whole:
            EXPECT_EQ(o.out, c.out) << c.name;
            break;
        case Match::Start:
            EXPECT_EQ(o.out.substr(0, c.out.size()), c.out) << c.name;
            break;
        case Match::Part:
            EXPECT_NE(o.out.find(c.out), std::string::npos) << c.name << "\n" << o.out;
            break;
        }
        if (c.err.empty()) {
            EXPECT_EQ(o.err, "") << c.name;
        } else {
            EXPECT_NE(o.err.find(c.err), std::string::npos) << c.name << "\n" << o.err;
        }
        if (c.status == 2) {
            EXPECT_NE(o.err.find("usage: planewall-cli"), std::string::npos) << c.name;
            EXPECT_LT(o.err.size(), 1200u) << c.name;
        }
    }
}

// The worked problems, in JSON, within 1e-6 relative.
TEST(Cli, WorkedProblemsInJson)
{
    const struct
    {
        std::vector<std::string_view> args;
        const char *key;
        double expected;
    } cases[] = {
        {with({"temperature", "--t", "857.0021", "--x", "0", "--json"}), "T", 550.000},
        {with({"solve", "--for", "t", "--target", "550", "--x", "0", "--json"}), "value", 857.0021},
        {{"solve", "--for", "t",   "--target", "750",  "--x",   "0",    "--L",
          "0.15",  "--k",   "1.5", "--rho",    "2600", "--cp",  "1000", "--h",
          "100",   "--ti",  "20",  "--tinf",   "950",  "--json"},
         "value",
         33801.69},
        {{"solve", "--for", "h",    "--target", "43.016241", "--x",   "0",    "--t",
          "8min",  "--L",   "40mm", "--k",      "63.9",      "--rho", "7832", "--cp",
          "434",   "--ti",  "-20C", "--tinf",   "60C",       "--json"},
         "value",
         500.0},
    };
    for (const auto &c : cases) {
        const Outcome o = runCli(c.args);
        ASSERT_EQ(o.status, 0) << o.err;
        const nlohmann::json json = nlohmann::json::parse(o.out);
        const double value = json.contains("points") ? json["points"][0][c.key].get<double>()
                                                     : json[c.key].get<double>();
        EXPECT_NEAR(value, c.expected, 1e-6 * c.expected) << o.out;
        EXPECT_LT(json.contains("rel_error") ? json["rel_error"].get<double>() : 0, 1e-10);
    }
}

TEST(Cli, BatchAnswersEveryLineInOrder)
{
    using namespace std::string_literals;
    const std::string input = "1\t1\t1\n"
                              "  2.5   1 1  \n" // blanks when the line has no tab
                              "1\t1\t0\n" // an error does not stop the batch
                              "1\t\t1\n" // an empty field is an empty text
                              "\n" // all three missing: 0 / 0
                              "1\t1\t1\t1\n" // one field too many
                              "1 1 1\r\n" // CR LF
                              "1 1 2 \r\n" // CR LF after a blank
                              "1\t1\t1\0junk\n" // a NUL ends the number like any byte
                              "4.99 1 1"s; // no final newline
    const Outcome o = runCli({"--batch"}, input);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out,
              "1.00\t0.8603\t3.4256\t6.4373\t9.5293\n"
              "2.50\t1.1422\t3.7318\t6.6431\t9.6776\n"
              "error\tdivision by zero\n"
              "0.00\t0.0008\t3.1416\t6.2832\t9.4248\n"
              "error\tdivision by zero\n"
              "error\texpected three fields\n"
              "1.00\t0.8603\t3.4256\t6.4373\t9.5293\n"
              "0.50\t0.6533\t3.2923\t6.3616\t9.4775\n"
              "1.00\t0.8603\t3.4256\t6.4373\t9.5293\n"
              "4.99\t1.3134\t4.0327\t6.9087\t9.8920\n");
    EXPECT_EQ(runCli({"--batch"}, "1 1 1\n").status, 0);
}

TEST(Cli, BatchGivesOneLinePerLineWhateverTheBytes)
{
    using namespace std::string_literals;
    std::string binary;
    for (int c = 0; c < 256; ++c)
        binary += c == '\n' ? 'x' : static_cast<char>(c);
    const struct
    {
        const char *name;
        std::string input;
        std::size_t lines;
    } cases[] = {
        {"binary bytes", binary + "\n" + binary, 2},
        {"a line of 1 MB", std::string(1 << 20, '7') + "\t1\t1\n1 1 1", 2},
        {"a megabyte of fields", std::string(1 << 20, '\t') + "\n", 1},
        {"NUL bytes", "\0\0\0\n\0 1 1\n"s, 2},
    };
    for (const auto &c : cases) {
        const Outcome o = runCli({"--batch"}, c.input);
        EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), c.lines) << c.name;
        EXPECT_EQ(o.err, "") << c.name;
    }
}

// Output that cannot be written is a failure in every mode, said on standard error; a reader
// that goes away (| head) ends it quietly. Run as a real process, since the descriptor is the
// point.
TEST(Cli, OutputThatCannotBeWrittenFails)
{
    const struct
    {
        const char *name;
        const char *command; // for sh, with the program as "$CLI"
        int status;
        const char *err;
    } cases[] = {
        {"a full device", "\"$CLI\" roots --bi 1 >/dev/full", 1,
         "planewall-cli: cannot write output: No space left on device\n"},
        {"--help on a full device", "\"$CLI\" --help >/dev/full", 1,
         "cannot write output: No space"},
        {"a batch on a full device", "printf '1 1 1\\n' | \"$CLI\" --batch >/dev/full", 1,
         "cannot write output"},
        {"a closed stdout", "\"$CLI\" 1 1 1 >&-", 1, "cannot write output: Bad file descriptor\n"},
        {"a reader that goes away", "\"$CLI\" roots --bi 1 --count 10000 | head -c 1 >/dev/null", 0,
         ""},
    };
    const std::string errFile = testing::TempDir() + "planewall_cli_err";
    for (const auto &c : cases) {
        const std::string command
            = "CLI='" PLANEWALL_CLI "'; { " + std::string(c.command) + "; } 2>" + errFile;
        const int status = std::system(command.c_str());
        std::ifstream in(errFile);
        const std::string err((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.name;
        if (*c.err == '\0') {
            EXPECT_EQ(err, "") << c.name;
        } else {
            EXPECT_NE(err.find(c.err), std::string::npos) << c.name << ": " << err;
        }
    }
}

} // namespace
