// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// A Qt generic plugin for bench/startup.py: loaded into any Qt program by
//   QT_PLUGIN_PATH=<folder holding generic/> QT_QPA_GENERIC_PLUGINS=planewall_startup_probe
// it ends the program the moment its first window is exposed (mapped and ready to paint), so
// that the program's run time is its start-up: loading, Qt's start, the window built and shown.
// The program itself is not changed, and every program is measured the same way.

#include <QEvent>
#include <QGenericPlugin>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

class ExitOnExpose : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()) {
            std::fflush(stdout);
            std::fflush(stderr);
            std::_Exit(0);
        }
        return false;
    }
};

} // namespace

class StartupProbe : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startup_probe.json")

public:
    QObject *create(const QString &, const QString &) override
    {
        auto *probe = new ExitOnExpose(qGuiApp);
        qGuiApp->installEventFilter(probe);
        return probe;
    }
};

#include "startup_probe.moc"
