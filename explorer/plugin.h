// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "explorer_interface.h"

#include <QObject>

namespace planewall {

// The explorer as a Qt plugin, for the program to load on first use (explorer_launcher.h).
class ExplorerPlugin : public QObject, public ExplorerPluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PLANEWALL_EXPLORER_IID)
    Q_INTERFACES(planewall::ExplorerPluginInterface)

public:
    ExplorerWindowInterface *createExplorer() override;
    int exportChart(const QStringList &arguments) override;
};

} // namespace planewall
