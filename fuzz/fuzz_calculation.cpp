// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// A whole calculation run on three arbitrary texts. It must end, either with five texts and
// four increasing roots each inside its interval, or with a named arithmetic error after
// writing no more than a run may write before that error.

#include "arithmetic_error.h"
#include "calculation.h"
#include "number_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_calculation: %s\n", what);
    std::abort();
}

using planewall::Slot;

class CheckingSink : public planewall::ResultSink
{
public:
    void write(Slot slot, std::string_view text, double value) override
    {
        const int index = static_cast<int>(slot);
        if (index < last)
            fail("a slot was written after a later one");
        if (slot == Slot::Bi && index == last)
            fail("Bi was written twice");
        if (text
            != (slot == Slot::Bi ? planewall::formatBiot(value) : planewall::formatRoot(value)))
            fail("a text is not its value's display");
        last = index;
        values[index] = value;
        texts[index] = text;
    }
    void inputsRead(double, double, double) override { read = true; }

    int last = -1;
    bool read = false;
    double values[5] = {};
    std::string texts[5];
};

void checkRoots(const CheckingSink &sink)
{
    if (sink.last != 4)
        fail("a run ended without writing all five slots");
    const double bi = sink.values[0];
    const double pi = std::numbers::pi;
    double previous = 0;
    for (int n = 1; n <= 4; ++n) {
        const double zeta = sink.values[n];
        const double low = bi >= 0 ? (n - 1) * pi : (n - 0.5) * pi;
        const double high = bi >= 0 ? (n - 0.5) * pi : n * pi;
        if (!(low <= zeta && zeta <= high))
            fail("a root outside its interval");
        if (!(zeta > previous))
            fail("the roots do not increase");
        previous = zeta;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string h = provider.ConsumeRandomLengthString(size);
    const std::string L = provider.ConsumeRandomLengthString(size);
    const std::string k = provider.ConsumeRemainingBytesAsString();

    CheckingSink sink;
    try {
        planewall::calculate(h, L, k, sink);
    } catch (const planewall::ArithmeticError &e) {
        const char *message = e.what();
        if (std::strcmp(message, "division by zero") != 0 && std::strcmp(message, "overflow") != 0
            && std::strcmp(message, "invalid floating-point operation") != 0)
            fail("an arithmetic error of no named kind");
        if (e.step() != planewall::FailedStep::RootSearch && sink.last != -1)
            fail("a slot was written before Bi could be computed");
        if (e.step() == planewall::FailedStep::RootSearch && sink.last > e.root())
            fail("a slot after the failing root was written");
        try {
            planewall::solve(h, L, k);
            fail("the final-values run did not fail where the run failed");
        } catch (const planewall::ArithmeticError &again) {
            if (again.kind() != e.kind() || again.step() != e.step())
                fail("the final-values run failed differently");
        }
        return 0;
    }
    checkRoots(sink);

    const planewall::Solution solution = planewall::solve(h, L, k);
    if (planewall::formatBiot(solution.bi) != sink.texts[0])
        fail("the final-values run gives another Bi");
    for (int n = 1; n <= 4; ++n) {
        if (planewall::formatRoot(solution.zeta[n - 1]) != sink.texts[n])
            fail("the final-values run gives another root");
    }
    return 0;
}
