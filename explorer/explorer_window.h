// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "chart_data.h"
#include "explorer_form.h"
#include "explorer_interface.h"
#include "study_runner.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QTabWidget;

namespace planewall {

class ChartPage;
class ChartView;
class FitPanel;
class InputPanel;
class ResultsPanel;

// The explorer: the whole solution of the wall, its inputs in real units, its results beside
// the one-term and lumped shortcuts, and four charts, following the inputs as they are typed.
//
// How data flows: the input panel forwards every edit to the form (ExplorerForm); after a short
// pause in typing (or at once on Enter) a snapshot of the form goes to the StudyRunner, which
// runs the study on a worker thread; its result comes back here and is shown: the messages
// beside their inputs, and, when there are results, the results table and the charts. A study
// with messages leaves the last good results and charts in place, marked out of date.
//
// "Fit to data" reads a file of readings on a worker thread; once read, the readings go with
// every study, which fits h to them on the study's wall and shows them, the fitted curve and the
// residuals beneath the T(t) chart, so that the fit follows the inputs as the charts do. A file
// that cannot be read is explained and leaves the readings before it in place.
//
// The window remembers its size and its inputs between runs (QSettings, in the application's
// configuration folder).
class ExplorerWindow : public QMainWindow, public ExplorerWindowInterface
{
    Q_OBJECT

public:
    explicit ExplorerWindow(QWidget *parent = nullptr);
    ~ExplorerWindow() override;

    // ExplorerWindowInterface
    QWidget *widget() override { return this; }
    void takeCalculatorBoxes(const std::array<CalculatorBox, 3> &hLk) override;
    void setEscapeCloses(bool closes) override { m_escapeCloses = closes; }

    // The debounce before a study runs after an edit.
    static constexpr int kPauseMs = 120;

    const ExplorerForm &form() const { return m_form; }
    InputPanel *inputs() const { return m_inputs; }
    ResultsPanel *results() const { return m_results; }
    QTabWidget *chartTabs() const { return m_tabs; }
    // The chart's view, made now if its tab was never shown.
    ChartView *chartView(ChartKind kind) const;
    // The study last shown with results, if any.
    const std::optional<Study> &shownStudy() const { return m_shown; }
    // The fit's panel beneath the T(t) chart, made with the first file of readings; nullptr
    // before.
    FitPanel *fitPanel() const { return m_fitPanel; }

    // Reads the file of readings at `path` and fits h to them ("Fit to data..." after its
    // dialog).
    void fitFile(const QString &path);

Q_SIGNALS:
    // A study's outcome is on the screen (for tests and the benchmark).
    void studyShown();
    // A file of readings was read, or could not be (its message then shown).
    void readingsRead(bool ok);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillMenus(QMenu *file, QMenu *chart, QMenu *help);
    // What waits until the window is on the screen: the menus' commands, the chart in view,
    // the first study.
    void finishOpening();
    static constexpr int kOpeningFallbackMs = 300;
    void runNow();
    void present(const Study &study);
    void copyResults();
    void saveChartImage();
    void saveChartData();
    FitPanel *makeFitPanel();
    void linkTabOrder(ChartView *view);
    void fitToData();
    void readingsLoaded();
    void applyFittedH();
    void clearFit();
    void showHowToRead();
    void showAbout();
    ChartView *currentChart() const;
    void loadSettings();
    void saveSettings() const;

    ExplorerForm m_form;
    InputPanel *m_inputs;
    ResultsPanel *m_results;
    QTabWidget *m_tabs;
    std::array<ChartPage *, 4> m_charts{};
    QWidget *m_historyTab;
    FitPanel *m_fitPanel = nullptr;
    StudyRunner m_runner;
    QTimer m_pause;
    std::optional<Study> m_shown;
    bool m_escapeCloses = false;
    bool m_opened = false;
    std::array<QMenu *, 3> m_menus{};

    // What a read of a file of readings gives: the readings, or why there are none.
    struct LoadedReadings
    {
        QString path;
        std::shared_ptr<const Readings> readings;
        QString message;
    };
    QFutureWatcher<LoadedReadings> m_loader;
    // The readings the studies fit, and the file they came from.
    std::shared_ptr<const Readings> m_readings;
    QString m_readingsPath;
};

} // namespace planewall
