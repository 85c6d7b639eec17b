// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "export_command.h"

#include "chart_export.h"
#include "materials.h"
#include "quantity.h"
#include "study.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <ostream>

namespace planewall {

namespace {

constexpr int kUsageError = 2;
constexpr int kWriteError = 1;

constexpr const char *kUsage
    = "usage: planewall --export-chart profile|history|energy|heisler -o FILE.svg|FILE.png\n"
      "           [--size WxH] [--csv FILE] PROBLEM\n"
      "  PROBLEM, dimensional:   --L L --k K (--alpha A | --rho R --cp C) --h H --ti TI --tinf "
      "TINF\n"
      "                          --t T [--x X]   (--material NAME gives k, rho and cp)\n"
      "  PROBLEM, dimensionless: --bi BI --fo FO [--x X*]\n"
      "  heisler needs only --bi BI, or --h H --L L --k K\n";

// A bad option: the message, then what was wrong with it.
struct UsageError
{
    std::string message;
};

// The texts of the problem's options, read once the mode is known.
struct ProblemOptions
{
    std::string L, k, alpha, rho, cp, material, h, tI, tInf, t, x, bi, fo;
};

Measured quantity(const std::string &option, const std::string &text, Quantity q)
{
    try {
        return parseQuantity(text, q);
    } catch (const QuantityError &e) {
        throw UsageError{option + ": " + e.what()};
    }
}

QSize parseSize(const std::string &text)
{
    int width = 0, height = 0;
    const char *end = text.data() + text.size();
    const auto [afterWidth, ec1] = std::from_chars(text.data(), end, width);
    if (ec1 == std::errc() && afterWidth != end && *afterWidth == 'x') {
        const auto [afterHeight, ec2] = std::from_chars(afterWidth + 1, end, height);
        if (ec2 == std::errc() && afterHeight == end && width >= 16 && height >= 16
            && width <= 20000 && height <= 20000)
            return {width, height};
    }
    throw UsageError{"--size: '" + echoed(text) + "' is not WxH with each from 16 to 20000"};
}

// The charts of the problem the options give, and the kind asked for among them.
ChartData chartFor(ChartKind kind, const ProblemOptions &o)
{
    const auto given = [](const std::string &text) { return !text.empty(); };
    if (given(o.bi)) {
        for (const std::string *dimensional :
             {&o.L, &o.k, &o.alpha, &o.rho, &o.cp, &o.material, &o.h, &o.tI, &o.tInf, &o.t}) {
            if (given(*dimensional))
                throw UsageError{"--bi takes --fo and --x only; the other problem options are "
                                 "dimensional"};
        }
        const double bi = quantity("--bi", o.bi, Quantity::Number).value;
        if (!(bi >= 0))
            throw UsageError{"--bi: must be >= 0"};
        if (!given(o.fo) && kind != ChartKind::Heisler)
            throw UsageError{"--fo is needed with --bi"};
        const double fo = given(o.fo) ? quantity("--fo", o.fo, Quantity::Number).value : 0;
        if (!(fo >= 0))
            throw UsageError{"--fo: must be >= 0"};
        const double x = given(o.x) ? quantity("--x", o.x, Quantity::Number).value : 0;
        if (!(x >= 0 && x <= 1))
            throw UsageError{"--x: x* must lie in [0, 1] with --bi"};
        return dimensionlessCharts(bi, fo, x)[static_cast<std::size_t>(kind)];
    }
    if (given(o.fo))
        throw UsageError{"--fo goes with --bi; give the time as --t for a dimensional problem"};

    const Material *material = nullptr;
    if (given(o.material)) {
        material = findMaterial(o.material);
        if (!material)
            throw UsageError{"--material: " + unknownMaterialMessage(o.material)};
    }
    const auto value = [&](const char *option, const std::string &text, Quantity q,
                           std::optional<double> fallback) -> std::optional<Given> {
        if (given(text)) {
            const Measured m = quantity(option, text, q);
            return Given{m.value, m.unit};
        }
        if (fallback)
            return Given{*fallback, {}};
        return std::nullopt;
    };
    const auto required = [&](const char *option, const std::string &text, Quantity q,
                              std::optional<double> fallback = std::nullopt) {
        if (auto g = value(option, text, q, fallback))
            return *g;
        throw UsageError{std::string(option) + " is needed"};
    };
    const auto of = [&](double Material::*property) {
        return material ? std::optional<double>(material->*property) : std::nullopt;
    };

    const bool onlyBiot = kind == ChartKind::Heisler && !given(o.t);
    const Given L = required("--L", o.L, Quantity::Length);
    const Given k = required("--k", o.k, Quantity::Conductivity, of(&Material::k));
    const Given h = required("--h", o.h, Quantity::HeatTransferCoefficient);
    if (onlyBiot) {
        try {
            return dimensionlessCharts(checkedBiotNumber(h.value, L.value, k.value), 0, 0)[3];
        } catch (const InputError &e) {
            throw UsageError{std::string("--")
                             + (e.input() == Input::L       ? "L"
                                    : e.input() == Input::K ? "k"
                                                            : "h")
                             + ": " + e.what()};
        }
    }
    StudyInputs wanted{.L = L,
                       .k = k,
                       .alpha = value("--alpha", o.alpha, Quantity::Diffusivity, std::nullopt),
                       .rho = value("--rho", o.rho, Quantity::Density, of(&Material::rho)),
                       .cp = value("--cp", o.cp, Quantity::SpecificHeat, of(&Material::cp)),
                       .h = h,
                       .tI = required("--ti", o.tI, Quantity::Temperature),
                       .tInf = required("--tinf", o.tInf, Quantity::Temperature),
                       .t = required("--t", o.t, Quantity::Time),
                       .timeUnit = "s",
                       .x = given(o.x) ? required("--x", o.x, Quantity::Length) : Given{0, L.unit},
                       .target = std::nullopt,
                       .solveFor = SolveFor::Temperature};
    if (wanted.alpha && given(o.alpha)) {
        // α given: ρ and c_p (from the options or the material) are not used.
        if (given(o.rho) || given(o.cp))
            throw UsageError{"--alpha excludes --rho and --cp"};
        wanted.rho.reset();
        wanted.cp.reset();
    }
    const Study study = runStudy(wanted);
    if (!study.messages.empty()) {
        const InputMessage &m = study.messages.front();
        static constexpr const char *kOptions[]
            = {"--L",  "--k",    "--alpha", "--rho", "--cp",  "--h",
               "--ti", "--tinf", "--t",     "--x",   "target"};
        throw UsageError{std::string(kOptions[static_cast<int>(m.input)]) + ": " + m.message};
    }
    return (*study.charts)[static_cast<std::size_t>(kind)];
}

} // namespace

int runExportCommand(const QStringList &arguments, std::ostream &out, std::ostream &err)
{
    CLI::App app("Writes one chart of a plane wall's exact solution without a window.",
                 "planewall");
    std::string kind, output, size = "800x600", csv;
    ProblemOptions o;
    app.add_option("--export-chart", kind, "profile, history, energy or heisler")->required();
    app.add_option("-o,--output", output, "the image: FILE.svg or FILE.png")->required();
    app.add_option("--size", size, "the image's size in pixels, WxH (800x600)");
    app.add_option("--csv", csv, "also write the chart's points as CSV to this file");
    app.add_option("--L", o.L, "half-thickness (m, cm, mm, in, ft)");
    app.add_option("--k", o.k, "conductivity (W/mK, Btu/h.ft.F)");
    app.add_option("--alpha", o.alpha, "diffusivity (m2/s, mm2/s, ft2/h)");
    app.add_option("--rho", o.rho, "density (kg/m3, lb/ft3)");
    app.add_option("--cp", o.cp, "specific heat (J/kgK, kJ/kgK, Btu/lb.F)");
    app.add_option("--material", o.material, "k, rho and cp of a material: " + materialKeys());
    app.add_option("--h", o.h, "heat transfer coefficient (W/m2K, Btu/h.ft2.F)");
    app.add_option("--ti", o.tI, "initial temperature (C, K, F)");
    app.add_option("--tinf", o.tInf, "fluid temperature (C, K, F)");
    app.add_option("--t", o.t, "time (s, min, h)");
    app.add_option("--x", o.x, "position from the mid-plane (a length; x* with --bi)");
    app.add_option("--bi", o.bi, "Biot number, for a dimensionless problem");
    app.add_option("--fo", o.fo, "Fourier number, with --bi");

    std::vector<std::string> args;
    for (const QString &a : arguments)
        args.push_back(a.toStdString());
    std::reverse(args.begin(), args.end()); // CLI11 takes the arguments last first
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp &) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError &e) {
        err << "planewall: " << e.what() << "\n" << kUsage;
        return kUsageError;
    }

    try {
        const std::optional<ChartKind> chartKind = chartKindOf(kind);
        if (!chartKind)
            throw UsageError{"--export-chart: '" + echoed(kind)
                             + "' is not a chart (profile, history, energy, heisler)"};
        const QString path = QString::fromStdString(output);
        const std::optional<ImageFormat> format = imageFormatOf(path);
        if (!format)
            throw UsageError{"-o: '" + echoed(output) + "' must end in .svg or .png"};
        const QSize pixels = parseSize(size);
        const ChartData chart = chartFor(*chartKind, o);

        QString failure = exportChartImage(chart, pixels, path, *format);
        if (failure.isEmpty() && !csv.empty())
            failure = saveChartCsv(chart, QString::fromStdString(csv));
        if (!failure.isEmpty()) {
            err << "planewall: " << failure.toStdString() << "\n";
            return kWriteError;
        }
    } catch (const UsageError &e) {
        err << "planewall: " << e.message << "\n" << kUsage;
        return kUsageError;
    }
    return 0;
}

} // namespace planewall
