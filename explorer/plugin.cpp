// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "plugin.h"

#include "explorer_window.h"
#include "export_command.h"

#include <iostream>

namespace planewall {

ExplorerWindowInterface *ExplorerPlugin::createExplorer()
{
    return new ExplorerWindow;
}

int ExplorerPlugin::exportChart(const QStringList &arguments)
{
    return runExportCommand(arguments, std::cout, std::cerr);
}

} // namespace planewall
