// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The yardstick of bench/startup.py: a bare Qt Widgets window of Form1's size, nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(420, 419);
    window.show();
    return QApplication::exec();
}
