// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "explorer_launcher.h"

#include "form1.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include <dlfcn.h>

#ifndef PLANEWALL_EXPLORER_PLUGIN
#error "PLANEWALL_EXPLORER_PLUGIN is set by the build: the plugin's path from the program's folder"
#endif

namespace planewall {

namespace {

class QuitOnClose : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && event->isAccepted())
            QCoreApplication::quit();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

ExplorerLauncher::ExplorerLauncher(const QString &plugin) : m_path(plugin) { }

ExplorerLauncher::~ExplorerLauncher()
{
    // The window's code is the plugin's: it goes first. The plugin stays loaded until the
    // program ends, as Qt keeps plugins.
    m_window.reset();
}

QString ExplorerLauncher::pluginPath()
{
    return pluginPath(QCoreApplication::applicationDirPath());
}

QString ExplorerLauncher::pluginPath(const QString &folder)
{
    return QDir::cleanPath(folder + QLatin1Char('/') + QStringLiteral(PLANEWALL_EXPLORER_PLUGIN));
}

PluginPreload::PluginPreload(const QString &path)
    : m_thread([file = QFile::encodeName(path)] {
          // Only mapped and relocated here, by the C library alone: Qt's own plugin bookkeeping
          // (QLibrary) is not thread-safe against a QApplication being built at the same time.
          // The handle is kept open on purpose: QPluginLoader's later dlopen of the same file
          // then finds it in memory.
          dlopen(file.constData(), RTLD_NOW | RTLD_LOCAL);
      })
{ }

PluginPreload::~PluginPreload()
{
    m_thread.join();
}

QString programFolder()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

ExplorerPluginInterface *ExplorerLauncher::plugin()
{
    if (m_plugin)
        return m_plugin;
    if (!m_loader)
        m_loader = std::make_unique<QPluginLoader>(m_path);
    QObject *instance = m_loader->instance();
    m_plugin = qobject_cast<ExplorerPluginInterface *>(instance);
    if (!m_plugin) {
        // Qt's reason does not always name the file; the message does.
        const QString file = QDir::toNativeSeparators(m_path);
        m_error = instance
            ? QCoreApplication::translate("planewall", "%1 is not the explorer").arg(file)
            : QStringLiteral("%1: %2").arg(file, m_loader->errorString());
    }
    return m_plugin;
}

ExplorerWindowInterface *ExplorerLauncher::open(Beside beside)
{
    if (!m_explorer) {
        ExplorerPluginInterface *p = plugin();
        if (!p)
            return nullptr;
        m_explorer = p->createExplorer();
        m_window.reset(m_explorer->widget());
    }
    m_explorer->setEscapeCloses(beside == Beside::Calculator);
    QWidget *window = m_explorer->widget();
    window->show();
    window->raise();
    window->activateWindow();
    return m_explorer;
}

void quitWhenClosed(QWidget *window)
{
    window->installEventFilter(new QuitOnClose(window));
}

void offerExplorer(Form1 &form, ExplorerLauncher &launcher)
{
    quitWhenClosed(&form);
    QObject::connect(
        &form, &Form1::explorerRequested, &form,
        [&launcher, &form](const std::array<CalculatorBox, 3> &hLk) {
            ExplorerWindowInterface *explorer = launcher.open(ExplorerLauncher::Beside::Calculator);
            if (!explorer) {
                QMessageBox::warning(
                    &form, form.windowTitle(),
                    QCoreApplication::translate("planewall", "The explorer cannot be loaded: %1")
                        .arg(launcher.errorString()));
                return;
            }
            explorer->takeCalculatorBoxes(hLk);
        });
}

} // namespace planewall
