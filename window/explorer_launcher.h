// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "explorer_interface.h"

#include <QPluginLoader>
#include <QString>

#include <memory>
#include <thread>

class QWidget;

namespace planewall {

class Form1;

// Loads the explorer plugin on first use and keeps its one window. The plugin is found at a
// fixed path relative to the program's own folder, the same installed (lib/.../planewall/ beside
// bin/) as in the build tree, so that no search path or environment is involved.
class ExplorerLauncher
{
public:
    // The plugin at pluginPath(), or at another path (the tests').
    explicit ExplorerLauncher(const QString &plugin = pluginPath());
    ~ExplorerLauncher();
    ExplorerLauncher(const ExplorerLauncher &) = delete;
    ExplorerLauncher &operator=(const ExplorerLauncher &) = delete;

    // The plugin's file beside the running program (QApplication must exist), or beside the
    // program in `folder`.
    static QString pluginPath();
    static QString pluginPath(const QString &folder);

    // The plugin, loaded on the first call; nullptr when it cannot be, errorString() says why.
    ExplorerPluginInterface *plugin();
    QString errorString() const { return m_error; }

    enum class Beside { Nothing, Calculator };
    // The explorer window, made on the first call, shown and brought forward; nullptr when the
    // plugin cannot be loaded. Beside the calculator, Escape closes it.
    ExplorerWindowInterface *open(Beside beside);

private:
    QString m_path;
    // Made on first use, so that a calculator that never opens the explorer pays nothing for it.
    std::unique_ptr<QPluginLoader> m_loader;
    ExplorerPluginInterface *m_plugin = nullptr;
    std::unique_ptr<QWidget> m_window;
    ExplorerWindowInterface *m_explorer = nullptr;
    QString m_error;
};

// Loads a plugin's code, and the libraries it needs, on another thread while the program goes on
// (creating its QApplication, say), so that QPluginLoader later finds it in memory. Ends with
// the loading. For `planewall --explorer`, whose window needs the plugin at once.
class PluginPreload
{
public:
    explicit PluginPreload(const QString &path);
    ~PluginPreload();
    PluginPreload(const PluginPreload &) = delete;
    PluginPreload &operator=(const PluginPreload &) = delete;

private:
    std::thread m_thread;
};

// The folder of the running program, before any QApplication exists (Linux: /proc/self/exe).
QString programFolder();

// Makes the application quit when `window` is closed, whatever other windows are open: closing
// the calculator ends the program, the explorer included.
void quitWhenClosed(QWidget *window);

// The calculator beside the explorer: closing the calculator ends the program, and its link
// opens the explorer (or brings it forward) with the calculator's h, L and k; when the plugin
// cannot be loaded, a message box says why.
void offerExplorer(Form1 &form, ExplorerLauncher &launcher);

} // namespace planewall
