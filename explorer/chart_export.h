// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "chart_data.h"

#include <QSize>
#include <QString>

namespace planewall {

class ChartView;

enum class ImageFormat { Png, Svg };

// The image format a file name asks for by its extension (".png", ".svg", any letter case).
std::optional<ImageFormat> imageFormatOf(const QString &path);

// Writes the view as it is drawn to `path` (replacing it only once the whole file is written),
// at its own size or at `size` when one is given. Returns an empty string, or why the file
// could not be written.
QString saveChartImage(ChartView &view, const QString &path, ImageFormat format, QSize size = {});

// Writes the chart's points as CSV (chartCsv) to `path`, likewise.
QString saveChartCsv(const ChartData &chart, const QString &path);

// A chart drawn without a window at `size` pixels, as --export-chart writes it. Below the
// smallest size its texts fit in, it is laid out at that size and drawn scaled down, centred:
// the image still has the size asked for.
QString exportChartImage(const ChartData &chart, QSize size, const QString &path,
                         ImageFormat format);

} // namespace planewall
