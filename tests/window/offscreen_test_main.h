// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <QApplication>
#include <QTest>

// The platform a test program picks: Qt's offscreen one, or as the build says (with options).
#ifndef PLANEWALL_OFFSCREEN_PLATFORM
#define PLANEWALL_OFFSCREEN_PLATFORM "offscreen"
#endif

// QTEST_MAIN for the window tests, drawing offscreen unless QT_QPA_PLATFORM says otherwise, so
// that a test program started without ctest's ENVIRONMENT still runs without a display.
#define PLANEWALL_OFFSCREEN_TEST_MAIN(TestClass) \
    int main(int argc, char *argv[]) \
    { \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", PLANEWALL_OFFSCREEN_PLATFORM); \
        QApplication app(argc, argv); \
        TestClass test; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return QTest::qExec(&test, argc, argv); \
    }
