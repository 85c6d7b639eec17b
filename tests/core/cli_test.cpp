#include "cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

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

TEST(Cli, PrintsTheFiveTextsOfOneCase)
{
    const Outcome o = runCli({"1", "1", "1"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, kStartValues);
    EXPECT_EQ(o.err, "");

    // A leading minus makes a text, not an option; "--" lets a text look like an option.
    EXPECT_EQ(runCli({"-1", "1", "1"}).out.substr(0, 16), "Bi\t-1.00\nzeta1\t2");
    EXPECT_EQ(runCli({"--", "--steps", "1", "1"}).out.substr(0, 20), "Bi\t0.00\nzeta1\t0.0008");
}

TEST(Cli, StepsComeBeforeTheirRootsLine)
{
    const Outcome o = runCli({"--steps", "1", "1", "1"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.substr(0, o.out.find("zeta2")),
              "Bi\t1.00\n"
              "zeta1\tstep\t1\t0.8881\t0.8881364757099055\n"
              "zeta1\tstep\t2\t0.8615\t0.86146461820104869\n"
              "zeta1\tstep\t3\t0.8603\t0.86033547682850564\n"
              "zeta1\tstep\t4\t0.8603\t0.86033358902464108\n"
              "zeta1\t0.8603\n");
    EXPECT_NE(o.out.find("zeta4\tstep\t"), std::string::npos);
    EXPECT_EQ(o.out.substr(o.out.size() - 13), "zeta4\t9.5293\n");
}

TEST(Cli, AnArithmeticErrorGoesToStandardErrorWithStatus1)
{
    const struct
    {
        std::vector<std::string_view> args;
        const char *message;
    } cases[] = {{{"1", "1", "0"}, "planewall-cli: division by zero\n"},
                 {{"0", "0", "0"}, "planewall-cli: division by zero\n"},
                 {{"1e200", "1e200", "1"}, "planewall-cli: overflow\n"},
                 {{"--steps", "1", "1", "1e999"}, "planewall-cli: overflow\n"}};
    for (const auto &c : cases) {
        const Outcome o = runCli(c.args);
        EXPECT_EQ(o.status, 1) << c.message;
        EXPECT_EQ(o.out, "") << c.message;
        EXPECT_EQ(o.err, c.message);
    }
}

TEST(Cli, UsageErrorsExit2WithAUsageLine)
{
    const std::vector<std::vector<std::string_view>> cases = {{},
                                                              {"1", "1"},
                                                              {"1", "1", "1", "1"},
                                                              {"1", "1", "1", "--steps"},
                                                              {"--batch", "1", "1", "1"},
                                                              {"--batch", "--steps"},
                                                              {"--steps"}};
    for (const auto &args : cases) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 2) << args.size();
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find("usage: planewall-cli"), std::string::npos);
    }
    const Outcome help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--batch"), std::string::npos);
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
              "1.00\t0.8603\t3.4256\t6.4373\t9.5293\n"
              "4.99\t1.3134\t4.0327\t6.9087\t9.8920\n");
    EXPECT_EQ(runCli({"--batch"}, "1 1 1\n").status, 0);
}

} // namespace

namespace {

TEST(CliSeries, RootsAndTemperatureTables)
{
    const Outcome roots = runCli({"roots", "--h", "1", "--L", "1,5", "--k", "1", "--count", "2"});
    EXPECT_EQ(roots.status, 0);
    EXPECT_EQ(roots.out,
              "n\tzeta\tC\n1\t0.860333589\t1.119132008\n2\t3.425618459\t-0.1516924023\n");

    const Outcome csv
        = runCli({"roots", "--bi", "1", "--count", "1", "--csv", "--precision", "17"});
    EXPECT_EQ(csv.out, "n,zeta,C\n1,0.86033358901937973,1.1191320084054337\n");

    const Outcome start = runCli({"temperature", "--bi", "1", "--fo", "0", "--x", "0,1"});
    EXPECT_EQ(start.status, 0);
    EXPECT_EQ(start.out.substr(0, start.out.find("note")),
              "x\ttheta\ttheta_one_term\tterms\n"
              "0\t1\t1.119132008\t0\n"
              "1\t1\t0.729880688\t0\n"
              "Q/Q0\t0\t0.01390645712\t0\n");
    EXPECT_NE(start.out.find("note\tFo < 0.2"), std::string::npos);

    const Outcome late = runCli({"temperature", "--bi", "1", "--fo", "2", "--x", "0", "--csv"});
    EXPECT_EQ(late.out.find("note"), std::string::npos);
    const Outcome early = runCli({"temperature", "--bi", "1", "--fo", "1e-9", "--x", "0"});
    EXPECT_NE(early.out.find("leave out at most"), std::string::npos);
}

TEST(CliSeries, SubcommandsOnlyAsTheFirstArgument)
{
    EXPECT_EQ(runCli({"--", "roots", "1", "1"}).out.substr(0, 8), "Bi\t0.00\n");
    EXPECT_EQ(runCli({"--steps", "roots", "1", "1"}).out.substr(0, 8), "Bi\t0.00\n");
}

TEST(CliSeries, BadValuesAreUsageErrors)
{
    const std::vector<std::vector<std::string_view>> cases = {
        {"roots", "--bi", "-1"},
        {"roots", "--h", "-1", "--L", "1", "--k", "1"},
        {"roots", "--bi", "abc"},
        {"roots", "--bi", "1e999"},
        {"roots", "--bi", "1", "--h", "1"},
        {"roots", "--h", "1"},
        {"roots"},
        {"roots", "--bi", "1", "--count", "0"},
        {"roots", "--bi", "1", "--count", "10001"},
        {"roots", "--bi", "1", "--precision", "18"},
        {"roots", "--bi", "1", "extra"},
        {"temperature", "--bi", "1", "--fo", "-1", "--x", "0"},
        {"temperature", "--bi", "1", "--fo", "1", "--x", "0,1.5"},
        {"temperature", "--bi", "1", "--fo", "1", "--x", "0,"},
        {"temperature", "--bi", "1", "--x", "0"},
    };
    for (const auto &args : cases) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 2) << args.back();
        EXPECT_EQ(o.out, "") << args.back();
        EXPECT_NE(o.err.find("usage: planewall-cli " + std::string(args.front())),
                  std::string::npos)
            << o.err;
    }
    const Outcome zeroK = runCli({"roots", "--h", "1", "--L", "1", "--k", "0"});
    EXPECT_EQ(zeroK.status, 1);
    EXPECT_EQ(zeroK.err, "planewall-cli: division by zero\n");
    EXPECT_EQ(runCli({"roots", "--help"}).status, 0);
}

} // namespace

namespace {

TEST(CliBatch, OneOutputLinePerInputLineWhateverTheBytes)
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
        {"empty lines", "\n\n\n", 3},
        {"a line of 1 MB", std::string(1 << 20, '7') + "\t1\t1\n1 1 1", 2},
        {"a megabyte of fields", std::string(1 << 20, '\t') + "\n", 1},
        {"NUL bytes", "\0\0\0\n\0 1 1\n"s, 2},
        {"lone CRs", "1\r1\r1\n\r\n", 2},
    };
    for (const auto &c : cases) {
        const Outcome o = runCli({"--batch"}, c.input);
        EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), c.lines) << c.name;
        EXPECT_EQ(o.err, "") << c.name;
    }
}

} // namespace
