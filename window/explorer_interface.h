// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

// The explorer as the calculator's program sees it. The explorer links Qt Charts, which brings
// the OpenGL libraries with it; so that Form1 starts as fast without them, the explorer is a Qt
// plugin (explorer/) that explorer_launcher.h loads on first use, and this header is all the
// program knows of it.

#include <QStringList>
#include <QtPlugin>

#include <array>
#include <optional>
#include <string>

class QWidget;

namespace planewall {

// One of Form1's boxes as the calculator reads it: the number, or the text as typed when it
// cannot be read (a number beyond the range of doubles).
struct CalculatorBox
{
    std::optional<double> value;
    std::string text;
};

// The explorer window (a QMainWindow titled "planewall explorer").
class ExplorerWindowInterface
{
public:
    virtual ~ExplorerWindowInterface() = default;

    virtual QWidget *widget() = 0;
    // Form1's h, L and k (in that order), taken as W/m²K, m and W/mK; the explorer's other
    // fields stay as they are.
    virtual void takeCalculatorBoxes(const std::array<CalculatorBox, 3> &hLk) = 0;
    // Whether Escape closes the window: only while Form1 is open beside it.
    virtual void setEscapeCloses(bool closes) = 0;
};

class ExplorerPluginInterface
{
public:
    virtual ~ExplorerPluginInterface() = default;

    // A new explorer window, without a parent; the caller owns it (through widget()).
    virtual ExplorerWindowInterface *createExplorer() = 0;
    // `planewall --export-chart ...` without the program's name; messages go to standard error.
    // Returns the exit status: 0, 1 when a file cannot be written, 2 for bad options.
    virtual int exportChart(const QStringList &arguments) = 0;
};

} // namespace planewall

#define PLANEWALL_EXPLORER_IID "org.planewall.Explorer/1"
Q_DECLARE_INTERFACE(planewall::ExplorerPluginInterface, PLANEWALL_EXPLORER_IID)
