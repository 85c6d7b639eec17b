// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The explorer's field texts on arbitrary bytes, read as every quantity in every unit. A text
// either reads as a finite value or gives a QuantityError; what reads is written back by
// fieldText, with either decimal point, as a text that reads as the same double; and a change
// of unit gives back the text unchanged or a text that reads in the new unit as the same amount
// to the 12 digits it is written with.

#include "field_text.h"
#include "quantity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using planewall::Quantity;
using planewall::QuantityError;

[[noreturn]] void fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "fuzz_field_text: %s for a text of %zu bytes\n", what, text.size());
    std::abort();
}

constexpr std::array kQuantities = {
    Quantity::Number,       Quantity::Length,
    Quantity::Time,         Quantity::HeatTransferCoefficient,
    Quantity::Conductivity, Quantity::Diffusivity,
    Quantity::Density,      Quantity::SpecificHeat,
    Quantity::Temperature,
};

bool reads(std::string_view text, Quantity quantity, std::string_view unit, double &value)
{
    try {
        value = planewall::readField(text, quantity, unit);
    } catch (const QuantityError &) {
        return false;
    }
    if (!std::isfinite(value))
        fail("a field read as a value that is not finite", text);
    return true;
}

// Two amounts the same to 12 significant digits, with room for the last bits of a product;
// values too small to hold 12 digits (subnormal in SI) only need to be as small.
bool sameAmount(double a, double b)
{
    const double scale = std::max(std::fabs(a), std::fabs(b));
    return scale < 1e-290 ? std::fabs(a - b) < 1e-290 : std::fabs(a - b) <= 1e-11 * scale;
}

void checkNumber(std::string_view text)
{
    double value = 0;
    try {
        value = planewall::readFieldNumber(text);
    } catch (const QuantityError &) {
        return;
    }
    for (const char point : {'.', ','}) {
        const std::string written = planewall::fieldText(value, point);
        double back = 0;
        try {
            back = planewall::readFieldNumber(written);
        } catch (const QuantityError &) {
            fail("a value written by fieldText does not read", text);
        }
        if (back != value && !(std::isnan(back) && std::isnan(value)))
            fail("a value written by fieldText reads as another", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    checkNumber(text);
    for (const Quantity quantity : kQuantities) {
        for (const planewall::Unit &from : planewall::unitsOf(quantity)) {
            double value = 0;
            if (!reads(text, quantity, from.symbol, value))
                continue;
            for (const planewall::Unit &to : planewall::unitsOf(quantity)) {
                const std::string converted
                    = planewall::convertFieldText(text, quantity, from.symbol, to.symbol);
                if (converted == text)
                    continue;
                double amount = 0;
                if (!reads(converted, quantity, to.symbol, amount))
                    fail("a converted field does not read in its new unit", text);
                // A temperature's scales differ by an offset: back in the first scale, the
                // difference is then within 12 digits of the larger of the two numbers.
                if (quantity == Quantity::Temperature) {
                    const std::string back
                        = planewall::convertFieldText(converted, quantity, to.symbol, from.symbol);
                    double again = 0;
                    if (!reads(back, quantity, from.symbol, again))
                        fail("a temperature converted back does not read", text);
                    if (std::fabs(again - value)
                        > 1e-10 * std::max({std::fabs(value), std::fabs(amount), 500.0}))
                        fail("a temperature converted and back is another", text);
                } else if (!sameAmount(amount, value)) {
                    fail("a converted field reads as another amount", text);
                }
            }
        }
    }
    return 0;
}
