// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// planewall: the plane-wall calculator window, and the explorer beside it. Its own options
// (--help, --version, --explorer, --export-chart) are read before Qt starts, so that they work
// without a display; Qt's options, such as -platform, still apply. The calculator keeps nothing
// between runs; the explorer remembers its inputs and size.

#include "app_icon.h"
#include "command_line.h"
#include "explorer_launcher.h"
#include "form1.h"
#include "planewall_version.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

void identify()
{
    QApplication::setApplicationName(QStringLiteral("planewall"));
    QApplication::setApplicationVersion(
        QString::fromUtf8(planewall::kVersion.data(), planewall::kVersion.size()));
    // Lets Wayland compositors match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(planewall::kApplicationId.data(), planewall::kApplicationId.size()));
}

void explorerMissing(const planewall::ExplorerLauncher &launcher)
{
    std::fprintf(stderr, "planewall: the explorer cannot be loaded: %s\n",
                 qPrintable(launcher.errorString()));
}

} // namespace

int main(int argc, char *argv[])
{
    using Action = planewall::CommandLine::Action;
    const planewall::CommandLine commandLine = planewall::readCommandLine(argc, argv);
    if (const std::optional<int> status = planewall::answerWithoutWindow(commandLine))
        return *status;

    if (commandLine.action == Action::ExportChart) {
        // A chart is drawn without a window, so Qt needs no display: its offscreen platform.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        identify();
        planewall::ExplorerLauncher launcher;
        planewall::ExplorerPluginInterface *plugin = launcher.plugin();
        if (!plugin) {
            explorerMissing(launcher);
            return 1;
        }
        return plugin->exportChart(commandLine.exportArguments);
    }

    // The explorer alone needs its plugin at once: its code loads while Qt starts.
    std::optional<planewall::PluginPreload> preload;
    if (commandLine.action == Action::ShowExplorer)
        preload.emplace(planewall::ExplorerLauncher::pluginPath(planewall::programFolder()));

    QApplication app(argc, argv);
    identify();
    QApplication::setWindowIcon(planewall::appIcon());
    planewall::ExplorerLauncher launcher;
    preload.reset();

    if (commandLine.action == Action::ShowExplorer) {
        // Alone, the explorer is the program: closing it, the last window, ends it.
        if (!launcher.open(planewall::ExplorerLauncher::Beside::Nothing)) {
            explorerMissing(launcher);
            return 1;
        }
        return QApplication::exec();
    }

    planewall::Form1 form;
    // Quit and closing the calculator end the program, the explorer included.
    planewall::offerExplorer(form, launcher);
    form.show();
    return QApplication::exec();
}
