// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "command_line.h"

#include "planewall_version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include <algorithm>
#include <cstdio>

namespace planewall {

namespace {

// One of planewall's own options: its names (a one-letter name first), the name of its value
// (none for a flag) and what --help says of it. To add an option: a row in ownOptions(), and
// its effect in readCommandLine().
struct OwnOption
{
    QStringList names;
    QString valueName;
    QString description;
};

QList<OwnOption> ownOptions()
{
    return
    {
        {{QStringLiteral("h"), QStringLiteral("help")},
         {},
         QStringLiteral("print this help and exit")},
            {{QStringLiteral("version")}, {}, QStringLiteral("print the version and exit")},
#if PLANEWALL_WITH_EXPLORER
            {{QStringLiteral("explorer")},
             {},
             QStringLiteral(
                 "open the explorer alone: temperatures, energy and charts in real units")},
            {{QStringLiteral("export-chart")},
             QStringLiteral("CHART"),
             QStringLiteral("write one chart (profile, history, energy or heisler) to a file, "
                            "without a window; see below")},
#endif
    };
}

#if PLANEWALL_WITH_EXPLORER
// --export-chart takes the chart's and the problem's options, which the explorer reads.
bool asksForExport(const QStringList &arguments)
{
    return std::ranges::any_of(arguments.mid(1), [](const QString &a) {
        return a == QLatin1String("--export-chart")
            || a.startsWith(QLatin1String("--export-chart="));
    });
}
#endif

// Qt's own options, read from argv by QGuiApplication, QApplication and the X11 platform. They
// are accepted here only so that they reach Qt; --help names a few of them in its prose.
const char *const kQtOptionsWithValue[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "qwindowicon",
                                           "qwindowtitle",
                                           "session",
                                           "display",
                                           "geometry",
                                           "title",
                                           "icon",
                                           "name",
                                           "style",
                                           "stylesheet",
                                           "qmljsdebugger"};
const char *const kQtFlags[]
    = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

constexpr qsizetype kHelpWidth = 79;

// "  -h, --help" or "      --version", then " VALUE" for an option that takes one.
QString optionSynopsis(const OwnOption &option)
{
    QString text = QStringLiteral("  ");
    for (const QString &name : option.names) {
        if (name.size() == 1)
            text += QLatin1Char('-') + name + QStringLiteral(", ");
        else
            text += (text.size() == 2 ? QStringLiteral("    --") : QStringLiteral("--")) + name;
    }
    if (!option.valueName.isEmpty())
        text += QLatin1Char(' ') + option.valueName;
    return text;
}

// The option list of --help: every synopsis, then its description from one column, wrapped to
// the width of a terminal.
QString optionLines(const QList<OwnOption> &options)
{
    qsizetype column = 0;
    for (const OwnOption &option : options)
        column = std::max(column, optionSynopsis(option).size() + 2);

    QString text;
    for (const OwnOption &option : options) {
        QString line = optionSynopsis(option).leftJustified(column);
        qsizetype wordsOnLine = 0;
        for (const QString &word : option.description.split(QLatin1Char(' '))) {
            if (wordsOnLine > 0 && line.size() + 1 + word.size() > kHelpWidth) {
                text += line + QLatin1Char('\n');
                line = QString(column, QLatin1Char(' '));
                wordsOnLine = 0;
            }
            if (wordsOnLine > 0)
                line += QLatin1Char(' ');
            line += word;
            ++wordsOnLine;
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// What --help says of the explorer and its chart export; nothing when built without it.
QString explorerHelp()
{
#if PLANEWALL_WITH_EXPLORER
    return QStringLiteral(
        "The explorer, opened by --explorer or by \"Temperatures and charts...\" in the\n"
        "calculator, shows the whole exact solution in real units: temperatures at any\n"
        "time and place, the energy, the time or h that reaches a temperature, the\n"
        "one-term and lumped shortcuts beside the exact values, and four charts.\n"
        "\n"
        "Writing a chart without a window and without a display:\n"
        "  planewall --export-chart CHART -o FILE.svg|FILE.png [--size WxH] [--csv FILE]\n"
        "            PROBLEM\n"
        "CHART is profile, history, energy or heisler. PROBLEM is dimensional, each\n"
        "value with an optional unit (50mm, 300C, 10min):\n"
        "  --L L --k K (--alpha A | --rho R --cp C | --material NAME) --h H\n"
        "  --ti TI --tinf TINF --t T [--x X]\n"
        "or dimensionless, with the axes in x*, Fo and theta*: --bi BI --fo FO [--x X*].\n"
        "The heisler chart needs only --bi BI, or --h H --L L --k K. --size is in pixels\n"
        "(800x600); --csv also writes the chart's points; planewall --export-chart\n"
        "--help lists every option.\n"
        "\n");
#else
    return {};
#endif
}

QString exportExitHelp()
{
#if PLANEWALL_WITH_EXPLORER
    return QStringLiteral(
        "--export-chart exits 0 when the files are written, 1 when one cannot be, and\n"
        "2 for a bad option.\n");
#else
    return {};
#endif
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
#if PLANEWALL_WITH_EXPLORER
    if (asksForExport(arguments))
        return {CommandLine::Action::ExportChart, {}, arguments.mid(1)};
#endif
    QCommandLineParser parser;
    // Qt's options are words after one dash (-platform), so every option is read that way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OwnOption &option : ownOptions())
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    for (const char *name : kQtOptionsWithValue) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    }
    for (const char *name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    if (!parser.parse(arguments))
        return {CommandLine::Action::UsageError, parser.errorText(), {}};
    if (parser.isSet(QStringLiteral("help")))
        return {CommandLine::Action::ShowHelp, {}, {}};
    if (parser.isSet(QStringLiteral("version")))
        return {CommandLine::Action::ShowVersion, {}, {}};
#if PLANEWALL_WITH_EXPLORER
    if (parser.isSet(QStringLiteral("explorer")))
        return {CommandLine::Action::ShowExplorer, {}, {}};
#endif
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        return {CommandLine::Action::UsageError,
                QStringLiteral("Unexpected argument '%1'.").arg(extra.front()),
                {}};
    }
    return {};
}

CommandLine readCommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return readCommandLine(arguments);
}

QString helpText()
{
    return QStringLiteral(
               "Usage: planewall [OPTION]...\n"
               "Opens the plane-wall calculator, a window for transient heat conduction in a\n"
               "plane wall with convection on both faces. Type the convection coefficient h,\n"
               "the half-thickness L and the conductivity k, in any consistent units, and\n"
               "Calculate shows the Biot number Bi = hL/k and the first four roots of\n"
               "zeta tan zeta = Bi, found by Newton's method.\n"
               "\n"
               "Options:\n")
        + optionLines(ownOptions())
        + QStringLiteral(
               "\n"
               "Qt's own options, such as -platform NAME, -style NAME and -reverse, are passed\n"
               "on to Qt. Without a display, -platform offscreen runs the window unseen.\n"
               "\n")
        + explorerHelp()
        + QStringLiteral(
               "Exit status: 0 when the window is closed, and after --help or --version; 2 for\n"
               "an unknown option, a missing value or an argument planewall does not take.\n")
        + exportExitHelp()
        + QStringLiteral(
               "\n"
               "planewall-cli: the same calculation, and the series solution, in a terminal.\n");
}

QString versionText()
{
    return QStringLiteral("planewall ") + QString::fromUtf8(kVersion.data(), kVersion.size())
        + QLatin1Char('\n');
}

std::optional<int> answerWithoutWindow(const CommandLine &commandLine)
{
    switch (commandLine.action) {
    case CommandLine::Action::ShowWindow:
    case CommandLine::Action::ShowExplorer:
    case CommandLine::Action::ExportChart:
        return std::nullopt;
    case CommandLine::Action::ShowHelp:
        print(stdout, helpText());
        return 0;
    case CommandLine::Action::ShowVersion:
        print(stdout, versionText());
        return 0;
    case CommandLine::Action::UsageError:
        break;
    }
    print(stderr,
          QStringLiteral("planewall: %1\nTry 'planewall --help' for more information.\n")
              .arg(commandLine.problem));
    return 2;
}

} // namespace planewall
