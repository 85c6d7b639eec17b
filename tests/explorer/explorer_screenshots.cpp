// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Writes pictures of the explorer for a person to look at: each chart's tab after the window's
// first study, a solve for time, a solve for h, and an input with an error (the charts out of
// date). Usage: planewall_explorer_screenshots OUTPUT_FOLDER [--dark]
//
// Runs on whatever platform Qt picks (xcb under xvfb-run shows what a user gets); set
// QT_SCALE_FACTOR for the larger scales. --dark gives the application a dark palette, as a dark
// desktop theme would. Settings go to QStandardPaths' test folders, so the pictures always
// start from the explorer's own first inputs.

#include "chart_view.h"
#include "dark_palette.h"
#include "explorer_window.h"
#include "fit_panel.h"
#include "input_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace planewall;

namespace {

QString g_folder;

void save(QWidget &widget, const QString &name)
{
    const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    std::printf("%s %s\n", qPrintable(path), widget.grab().save(path) ? "written" : "NOT written");
}

void waitForStudy(ExplorerWindow &window)
{
    QSignalSpy shown(&window, &ExplorerWindow::studyShown);
    shown.wait(3000);
    QTest::qWait(150);
}

void type(ExplorerWindow &window, Input input, const QString &text)
{
    QLineEdit *edit = window.inputs()->edit(input);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void solveFor(ExplorerWindow &window, int index)
{
    QComboBox *combo = window.inputs()->solveForChooser();
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

// The noisy readings of tests/reference/fit_readings.tsv as a CSV file with units in its header.
QByteArray noisyReadings()
{
    std::ifstream in(PLANEWALL_REFERENCE_DIR "/fit_readings.tsv");
    QByteArray text = "t [s],T [C]\n";
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream cells(line);
        std::string kind, which, t, T;
        std::getline(cells, kind, '\t');
        std::getline(cells, which, '\t');
        std::getline(cells, t, '\t');
        std::getline(cells, T, '\t');
        if (kind == "reading" && which == "noisy500")
            text += QByteArray::fromStdString(t + "," + T + "\n");
    }
    return text;
}

// The pipeline wall's readings fitted, then a file that cannot be read.
void fitShots(ExplorerWindow &window)
{
    const std::pair<Input, const char *> fields[]
        = {{Input::L, "40"},   {Input::K, "63.9"},  {Input::Rho, "7832"}, {Input::Cp, "434"},
           {Input::TI, "-20"}, {Input::TInf, "60"}, {Input::X, "0"}};
    for (const auto &[input, text] : fields)
        type(window, input, QString::fromLatin1(text));
    waitForStudy(window);
    QTemporaryDir folder;
    const auto write = [&](const QString &name, const QByteArray &text) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    };
    window.fitFile(write(QStringLiteral("pipeline.csv"), noisyReadings()));
    waitForStudy(window);
    save(window, QStringLiteral("explorer-fit"));
    QSignalSpy read(&window, &ExplorerWindow::readingsRead);
    window.fitFile(write(QStringLiteral("bad.csv"), "t,T\n0,-20\n10,-19.6\n20,-1O.5\n"));
    read.wait(3000);
    QTest::qWait(150);
    save(window, QStringLiteral("explorer-fit-bad-file"));
    window.fitPanel()->clearButton()->click();
    waitForStudy(window);
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: planewall_explorer_screenshots OUTPUT_FOLDER [--dark]\n");
        return 2;
    }
    g_folder = args.at(1);
    QDir().mkpath(g_folder);
    QFile::remove(QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                      .filePath(QStringLiteral("explorer.conf")));
    if (args.contains(QStringLiteral("--dark")))
        useDarkPalette();

    ExplorerWindow window;
    window.move(0, 0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    waitForStudy(window);
    const char *names[] = {"profile", "history", "energy", "heisler"};
    for (int i = 0; i < 4; ++i) {
        window.chartTabs()->setCurrentIndex(i);
        QTest::qWait(100);
        save(window, QStringLiteral("explorer-%1").arg(QLatin1String(names[i])));
    }

    // Solve for the time at which the centre reaches 100 °C.
    solveFor(window, 1);
    waitForStudy(window);
    window.chartTabs()->setCurrentIndex(1);
    QTest::qWait(100);
    save(window, QStringLiteral("explorer-solve-time-history"));

    // Solve for the h that brings the mean to 100 °C by t.
    solveFor(window, 4);
    waitForStudy(window);
    window.chartTabs()->setCurrentIndex(2);
    QTest::qWait(100);
    save(window, QStringLiteral("explorer-solve-h-energy"));

    // An input that cannot be used: the last charts stay, out of date.
    type(window, Input::X, QStringLiteral("80"));
    waitForStudy(window);
    window.chartTabs()->setCurrentIndex(0);
    QTest::qWait(100);
    save(window, QStringLiteral("explorer-error-out-of-date"));

    solveFor(window, 0);
    fitShots(window);

    // The smallest the window goes.
    window.resize(window.minimumSizeHint());
    QTest::qWait(200);
    save(window, QStringLiteral("explorer-minimum-size"));
    std::printf("minimum size %dx%d\n", window.minimumSizeHint().width(),
                window.minimumSizeHint().height());
    return 0;
}
