// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace planewall {

// What planewall's command line asks for. It is read before any QApplication exists, so that
// --help, --version and a mistyped option are answered without a display.
struct CommandLine
{
    enum class Action {
        ShowWindow,
        ShowHelp,
        ShowVersion,
        UsageError,
        ShowExplorer, // --explorer: the explorer alone, without the calculator
        ExportChart, // --export-chart: one chart to a file, without a window or a display
    };
    Action action = Action::ShowWindow;
    QString problem; // for UsageError: what was wrong, for the message on standard error
    // For ExportChart: every argument but the program's name, for the explorer to read (its
    // options are the chart's and the problem's, which it alone knows).
    QStringList exportArguments;
};

// Reads planewall's own options from the arguments, the program's name first. Qt's options
// (-platform NAME, -style NAME, -reverse, ...) are recognised and left alone: QApplication
// takes them from argv itself. A program built without the explorer knows neither --explorer
// nor --export-chart.
CommandLine readCommandLine(const QStringList &arguments);
CommandLine readCommandLine(int argc, const char *const *argv);

// The text of --help. help2man makes planewall's manual page from it: "Usage:" gives the
// synopsis, "Options:" the options, indented "-x, --xx  text" lines the entries.
QString helpText();

// The text of --version: "planewall VERSION".
QString versionText();

// Answers a command line that opens no window: help and version on standard output, a usage
// error on standard error. Returns the exit status (0, or 2 for a usage error), or nullopt
// when the command line asks for a window or for the explorer's chart export.
std::optional<int> answerWithoutWindow(const CommandLine &commandLine);

} // namespace planewall
