// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// planewall's command line, read before any QApplication exists: its own options, Qt's options
// passed through, and what counts as a usage error.

#include "command_line.h"

#include <QTest>

using namespace planewall;
using Action = CommandLine::Action;

Q_DECLARE_METATYPE(planewall::CommandLine::Action)

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsOwnOptionsAndLeavesQtsAlone_data();
    void readsOwnOptionsAndLeavesQtsAlone();
    void helpFitsATerminalAndListsEveryOption();
};

void CommandLineTest::readsOwnOptionsAndLeavesQtsAlone_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");

    QTest::newRow("nothing opens the window") << QStringList{} << Action::ShowWindow;
    QTest::newRow("-platform offscreen")
        << QStringList{"-platform", "offscreen"} << Action::ShowWindow;
    QTest::newRow("--platform, Qt reads it as -platform")
        << QStringList{"--platform", "offscreen"} << Action::ShowWindow;
    QTest::newRow("-style=Fusion") << QStringList{"-style=Fusion"} << Action::ShowWindow;
    QTest::newRow("Qt's flags -reverse -widgetcount")
        << QStringList{"-reverse", "-widgetcount"} << Action::ShowWindow;
    QTest::newRow("-qwindowgeometry and -qwindowtitle")
        << QStringList{"-qwindowgeometry", "640x480+0+0", "-qwindowtitle", "T"}
        << Action::ShowWindow;
    QTest::newRow("X11's -display") << QStringList{"-display", ":1"} << Action::ShowWindow;

    QTest::newRow("--help") << QStringList{"--help"} << Action::ShowHelp;
    QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp;
    QTest::newRow("--help after a Qt option")
        << QStringList{"-platform", "xcb", "--help"} << Action::ShowHelp;
    QTest::newRow("--help wins over --version")
        << QStringList{"--version", "--help"} << Action::ShowHelp;
    QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion;
    QTest::newRow("--version after Qt's options")
        << QStringList{"-reverse", "-style", "Fusion", "--version"} << Action::ShowVersion;

#if PLANEWALL_WITH_EXPLORER
    QTest::newRow("--explorer") << QStringList{"--explorer"} << Action::ShowExplorer;
    QTest::newRow("--explorer after Qt's options")
        << QStringList{"-style", "Fusion", "--explorer"} << Action::ShowExplorer;
    QTest::newRow("--help wins over --explorer")
        << QStringList{"--explorer", "--help"} << Action::ShowHelp;
    // The chart's and the problem's options are the explorer's to read, bad ones included.
    QTest::newRow("--export-chart with its options")
        << QStringList{"--export-chart", "heisler", "--bi", "1", "-o", "h.svg"}
        << Action::ExportChart;
    QTest::newRow("--export-chart=profile")
        << QStringList{"--export-chart=profile", "--L", "1"} << Action::ExportChart;
    QTest::newRow("--export-chart after an option it does not know")
        << QStringList{"--colour", "red", "--export-chart", "energy"} << Action::ExportChart;
    QTest::newRow("a word that is only the chart's name")
        << QStringList{"heisler"} << Action::UsageError;
#endif
    QTest::newRow("an unknown long option") << QStringList{"--explore"} << Action::UsageError;
    QTest::newRow("an unknown one-letter option") << QStringList{"-x"} << Action::UsageError;
    QTest::newRow("a word") << QStringList{"calculate"} << Action::UsageError;
    QTest::newRow("a word after Qt's options")
        << QStringList{"-platform", "offscreen", "1"} << Action::UsageError;
    QTest::newRow("-platform without its value") << QStringList{"-platform"} << Action::UsageError;
    QTest::newRow("a value given to a flag") << QStringList{"--version=2"} << Action::UsageError;
    QTest::newRow("--help after -- is a word") << QStringList{"--", "--help"} << Action::UsageError;
}

void CommandLineTest::readsOwnOptionsAndLeavesQtsAlone()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);

    const CommandLine read = readCommandLine(QStringList{"planewall"} + arguments);
    QCOMPARE(read.action, action);
    // An export hands on every argument but the program's name, untouched.
    QCOMPARE(read.exportArguments, action == Action::ExportChart ? arguments : QStringList{});
    // A usage error says what was wrong, naming the argument; nothing else carries a message.
    QCOMPARE(read.problem.isEmpty(), action != Action::UsageError);
    if (action == Action::UsageError && arguments.size() == 1)
        QVERIFY2(read.problem.contains(arguments.front().section(u'=', 0, 0).remove(u'-')),
                 qPrintable(read.problem));
}

void CommandLineTest::helpFitsATerminalAndListsEveryOption()
{
    const QString help = helpText();
    // help2man takes the synopsis from a first line "Usage: planewall ..." and the options from
    // the lines after "Options:".
    QVERIFY(help.startsWith(QStringLiteral("Usage: planewall ")));
    const qsizetype options = help.indexOf(QStringLiteral("\nOptions:\n"));
    QVERIFY(options > 0);
    QStringList entries = {"\n  -h, --help  ", "\n      --version  "};
#if PLANEWALL_WITH_EXPLORER
    entries << "\n      --explorer  "
            << "\n      --export-chart CHART  ";
#endif
    for (const QString &entry : entries)
        QVERIFY2(help.indexOf(entry) > options, qPrintable(entry));
    for (const QString &line : help.split(u'\n'))
        QVERIFY2(line.size() <= 79, qPrintable(line));
    QVERIFY(help.endsWith(u'\n'));
}

QTEST_APPLESS_MAIN(CommandLineTest)

#include "command_line_test.moc"
