// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// planewall-cli fit: files of readings in, the fit out; bad files and bad options as usage
// errors with nothing on standard output; the user's file only ever read.

#include "cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome
{
    int status;
    std::string out;
    std::string err;
};

Outcome runCli(std::vector<std::string> args, const std::string &input = "")
{
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = planewall::cli::run(views, in, out, err);
    return {status, out.str(), err.str()};
}

// The pipeline wall heated from -20 C in a fluid at 60 C with h = 500 W/m2K, its centre
// every 30 s (from tests/reference/fit_readings.tsv, computed with mpmath).
const char *const kCentre[][2] = {
    {"0", "-20.0"},
    {"30", "-15.68048859806540764"},
    {"60", "-8.5987615042948057946"},
    {"90", "-2.0907107363458020711"},
    {"120", "3.8021197330045090399"},
    {"150", "9.1357353346128775132"},
    {"180", "13.963150724077309038"},
    {"210", "18.332406779539428302"},
    {"240", "22.286986358661024963"},
    {"270", "25.866245492370911543"},
    {"300", "29.105805018193103431"},
};

// The readings as a file: times divided by `timeScale` (60 for minutes), temperatures with
// `offset` added (273.15 for kelvin), under `header` when it is not empty.
std::string table(const std::string &header, double timeScale = 1, double offset = 0)
{
    std::string text = header.empty() ? "" : header + "\n";
    for (const auto &row : kCentre) {
        std::ostringstream line;
        line.precision(17);
        line << std::stod(row[0]) / timeScale << "," << std::stod(row[1]) + offset << "\n";
        text += line.str();
    }
    return text;
}

class FitCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::path(::testing::TempDir())
            / ("planewall_fit_cli_"
               + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_dir, fs::perms::owner_all, ignored);
        fs::remove_all(m_dir, ignored);
    }

    std::string file(const std::string &name, const std::string &text)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // The pipeline wall's options after `args`, the sensor at `x`.
    static std::vector<std::string> wall(std::vector<std::string> args, const char *x = "0")
    {
        for (const char *a : {"--x", x, "--L", "40mm", "--k", "63.9", "--rho", "7832", "--cp",
                              "434", "--tinf", "60C"})
            args.emplace_back(a);
        return args;
    }

    fs::path m_dir;
};

TEST_F(FitCli, TablesOfTheFitAndTheReadings)
{
    const std::string data = file("centre.csv", table("t [s],T [C]"));
    const Outcome o = runCli(wall({"fit", "--data", data, "--ti", "-20"}));
    ASSERT_EQ(o.status, 0) << o.err;
    const std::size_t blank = o.out.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_EQ(o.out.substr(0, o.out.find('\n')),
              "h\th_ci95_low\th_ci95_high\tBi\trms\tpoints\tsensitivity\tsensitivity_t");
    EXPECT_EQ(o.out.substr(o.out.find('\n') + 1, 4), "500\t");
    EXPECT_EQ(o.out.substr(blank + 2, o.out.find('\n', blank + 2) - blank - 2),
              "t\tT\tT_fit\tresidual\tline");
    EXPECT_EQ(o.out.substr(o.out.find('\n', blank + 2) + 1, 10), "0\t-20\t-20\t");
    EXPECT_NE(o.err.find("planewall-cli: note: the interval assumes independent"),
              std::string::npos);
}

TEST_F(FitCli, JsonHoldsTheFitTheIntervalAndEveryReading)
{
    const std::string data = file("centre.csv", table(""));
    const Outcome o = runCli(wall({"fit", "--data", data, "--ti", "first", "--json"}));
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const auto json = nlohmann::json::parse(o.out);
    EXPECT_NEAR(json.at("h").get<double>(), 500, 500e-6);
    ASSERT_EQ(json.at("h_ci95").size(), 2u);
    EXPECT_LE(json.at("h_ci95")[0].get<double>(), json.at("h").get<double>());
    EXPECT_GE(json.at("h_ci95")[1].get<double>(), json.at("h").get<double>());
    EXPECT_NEAR(json.at("Bi").get<double>(), 500 * 0.04 / 63.9, 1e-6);
    EXPECT_LT(json.at("rms").get<double>(), 1e-9);
    EXPECT_EQ(json.at("points"), 11);
    EXPECT_EQ(json.at("T_unit"), "C");
    ASSERT_EQ(json.at("fitted").size(), 11u);
    const auto &last = json.at("fitted")[10];
    EXPECT_EQ(last.at("t"), 300);
    EXPECT_NEAR(last.at("T").get<double>(), 29.105805018193103431, 1e-12);
    EXPECT_NEAR(last.at("T_fit").get<double>(), 29.105805018193103431, 1e-6);
    EXPECT_TRUE(last.contains("residual"));
    EXPECT_EQ(last.at("line"), 11);
    // --ti first: Ti is the first reading's, said in a note.
    ASSERT_EQ(json.at("notes").size(), 2u);
    EXPECT_NE(json.at("notes")[0].get<std::string>().find("first reading's (line 1)"),
              std::string::npos);
    EXPECT_TRUE(json.at("warnings").empty());
    EXPECT_FALSE(json.contains("alpha"));

    const Outcome alpha
        = runCli(wall({"fit", "--data", data, "--ti", "-20", "--also", "alpha", "--json"}));
    ASSERT_EQ(alpha.status, 0) << alpha.err;
    const auto both = nlohmann::json::parse(alpha.out);
    EXPECT_NEAR(both.at("alpha").get<double>(), 63.9 / (7832.0 * 434.0), 1e-11);
    EXPECT_EQ(both.at("alpha_ci95").size(), 2u);
    EXPECT_EQ(both.at("dof"), 9);
}

// At Bi = 125 (h = 2e5 W/m²K) the face is all but held at T∞: h gets a lower bound only, and
// a second property fitted beside it no interval, since it moves with h. Readings by mpmath.
TEST_F(FitCli, AHeldFaceBoundsHFromBelowAndLeavesTheOtherWithoutInterval)
{
    const std::string data = file("held.csv",
                                  "10,-13.982526398592244\n20,2.6380701781693564\n"
                                  "30,16.742566729838477\n40,27.470213980214511\n"
                                  "60,41.615080230883403\n80,49.609727738644509\n"
                                  "100,54.127920092695356\n120,56.681384141001724\n"
                                  "160,58.940045948792141\n200,59.661454462219497\n"
                                  "240,59.89186976452377\n");
    const struct
    {
        const char *also;
        double value;
        const char *note;
    } rows[] = {
        {"alpha", 63.9 / (7832.0 * 434.0), "no interval for \u03B1: h is bounded only from below"},
        {"k", 63.9, "no interval for k: h is bounded only from below"},
    };
    for (const auto &row : rows) {
        const Outcome o
            = runCli(wall({"fit", "--data", data, "--ti", "-20", "--also", row.also, "--json"}));
        ASSERT_EQ(o.status, 0) << o.err;
        const auto json = nlohmann::json::parse(o.out);
        EXPECT_NEAR(json.at("h").get<double>() / 2e5, 1, 1e-6) << row.also;
        EXPECT_NEAR(json.at(row.also).get<double>() / row.value, 1, 1e-6) << row.also;
        EXPECT_EQ(json.at("h_lower_bound_only"), true) << row.also;
        EXPECT_LE(json.at("h_ci95")[0].get<double>(), 2e5) << row.also;
        EXPECT_TRUE(json.at("h_ci95")[1].is_null()) << row.also;
        EXPECT_TRUE(json.at(std::string(row.also) + "_ci95")[0].is_null()) << row.also;
        EXPECT_NE(json.at("notes").dump().find(row.note), std::string::npos) << json.at("notes");
        EXPECT_NE(json.at("warnings").dump().find("Bi = 125 > 50"), std::string::npos);
    }
}

TEST_F(FitCli, UnitsShiftsAndWindowsGiveTheSameH)
{
    // The same readings in minutes and in kelvin, logged from 45 s before the wall met the
    // fluid, or cut to a window.
    std::string shifted = "t,T\n0,-20\n15,-20\n";
    for (const auto &row : kCentre)
        shifted += std::to_string(std::stoi(row[0]) + 45) + "," + row[1] + "\n";
    const struct
    {
        const char *name;
        std::string text;
        std::vector<std::string> options;
        const char *note; // expected on standard error, or ""
    } cases[] = {
        {"minutes and kelvin in the header", table("time [min],T [K]", 60, 273.15), {}, ""},
        {"plain minutes", table("", 60), {"--time-unit", "min"}, ""},
        {"logged before the start", shifted, {"--t0", "45s"}, "2 readings before the start"},
        {"a window", table("t,T"), {"--from", "1min", "--to", "4min"}, "after --to left out"},
        {"from standard input", "-", {}, ""},
        {"columns by number", table("t,T"), {"--columns", "1,2"}, ""},
    };
    for (const auto &c : cases) {
        const bool stdinput = c.text == "-";
        std::vector<std::string> args = wall(
            {"fit", "--data", stdinput ? "-" : file("data.csv", c.text), "--ti", "-20", "--json"});
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome o = runCli(args, stdinput ? table("") : "");
        ASSERT_EQ(o.status, 0) << c.name << ": " << o.err;
        const auto json = nlohmann::json::parse(o.out);
        EXPECT_NEAR(json.at("h").get<double>(), 500, 500e-6) << c.name;
        // Every reading of standard input is read, the first byte's line included.
        if (stdinput) {
            EXPECT_EQ(json.at("points").get<std::size_t>(), std::size(kCentre));
        }
        // Ti and Tinf name the scale: readings in kelvin are converted into it.
        EXPECT_EQ(json.at("T_unit"), "C") << c.name;
        if (*c.note) {
            bool found = false;
            for (const auto &n : json.at("notes"))
                found |= n.get<std::string>().find(c.note) != std::string::npos;
            EXPECT_TRUE(found) << c.name;
        }
    }
}

TEST_F(FitCli, BadFilesExit2WithTheLineAndNothingOnStandardOutput)
{
    const struct
    {
        const char *name;
        std::string text;
        const char *message;
    } cases[] = {
        {"not a number", "0,-20\n30,x\n", "bad.csv, line 2: the temperature (column 2): 'x'"},
        {"semicolons", "0;-20\n30;-15,7\n", "bad.csv, line 1: the file is separated by semicolons"},
        {"empty", "", "bad.csv: the file is empty"},
        {"time going back", "0,-20\n30,-15\n20,-10\n", "bad.csv, line 3: the time '20'"},
        {"beyond Tinf", "0,-20\n30,-15\n60,70\n90,50\n", "bad.csv, line 3: the temperature 70"},
        {"too few", "0,-20\n30,-15\n", "bad.csv, line 2: only 2 readings"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10),
         "bad.csv, line 2: the file is not text"},
    };
    for (const auto &c : cases) {
        const Outcome o = runCli(wall({"fit", "--data", file("bad.csv", c.text), "--ti", "-20"}));
        EXPECT_EQ(o.status, 2) << c.name;
        EXPECT_EQ(o.out, "") << c.name;
        EXPECT_NE(o.err.find("planewall-cli: "), std::string::npos) << c.name;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << c.name << ": " << o.err;
    }
    const Outcome missing
        = runCli(wall({"fit", "--data", (m_dir / "none.csv").string(), "--ti", "-20"}));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot be opened"), std::string::npos);
    const Outcome directory = runCli(wall({"fit", "--data", m_dir.string(), "--ti", "-20"}));
    EXPECT_EQ(directory.status, 2);
    EXPECT_NE(directory.err.find("is a directory"), std::string::npos);
}

TEST_F(FitCli, TheUsersFileIsOnlyRead)
{
    const std::string text = table("t [s],T [C]");
    const std::string data = file("readonly.csv", text);
    fs::permissions(data, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto before = fs::last_write_time(data);
    const Outcome o = runCli(wall({"fit", "--data", data, "--ti", "-20"}));
    EXPECT_EQ(o.status, 0) << o.err;
    std::ifstream in(data, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, text);
    EXPECT_EQ(fs::last_write_time(data), before);
}

TEST_F(FitCli, UsageErrorsAndFailures)
{
    const std::string data = file("centre.csv", table("t,T"));
    const struct
    {
        std::vector<std::string> args;
        int status;
        const char *message;
    } cases[] = {
        {wall({"fit", "--ti", "-20"}), 2, "--data is needed"},
        {wall({"fit", "--data", data, "--ti", "-20", "--mean"}), 2, "--x and --mean"},
        {wall({"fit", "--data", data}), 2, "--ti is needed"},
        {wall({"fit", "--data", data, "--ti", "-20", "--also", "rho"}), 2, "--also: 'rho'"},
        {wall({"fit", "--data", data, "--ti", "-20", "--columns", "1"}), 2,
         "--columns: '1' must name two columns"},
        {wall({"fit", "--data", data, "--ti", "-20", "--time-unit", "ms"}), 2, "--time-unit"},
        {wall({"fit", "--data", data, "--ti", "-20", "--from", "2min", "--to", "1min"}), 2,
         "--to: must be later"},
        {wall({"fit", "--data", data, "--ti", "-20", "--h-start", "0"}), 2, "--h-start"},
        {wall({"fit", "--data", data, "--ti", "60"}), 2, "--tinf: must differ from Ti"},
        {wall({"fit", "--data", data, "--ti", "-20"}, "5cm"), 2, "--x: must lie in [0, L]"},
        {{"fit", "--data", data, "--ti", "-20", "--x", "0", "--L", "40mm", "--k", "63.9", "--alpha",
          "1.88e-5", "--tinf", "60", "--also", "k"},
         2,
         "--rho: is needed"},
        {wall({"fit", "--data", data, "--ti", "-20", "--columns", "t,Temp"}), 2,
         "line 1: no column is headed 'Temp'"},
        {wall({"fit", "--data", data, "--ti", "-20", "--to", "20s"}), 2, "only 1 reading"},
        // The readings at the centre within the first 0.3 s: nothing has reached it yet.
        {wall({"fit", "--data", file("early.csv", "0,-20\n0.1,-20\n0.2,-20\n0.3,-20\n"), "--ti",
               "-20"}),
         1, "do not depend on h"},
    };
    for (const auto &c : cases) {
        const Outcome o = runCli(c.args);
        EXPECT_EQ(o.status, c.status) << c.message;
        EXPECT_EQ(o.out, "") << c.message;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    }
    const Outcome help = runCli({"fit", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--also"), std::string::npos);
}

} // namespace
