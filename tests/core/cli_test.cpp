#include "cli.h"

#include <gtest/gtest.h>

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
