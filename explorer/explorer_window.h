#pragma once

#include "chart_data.h"
#include "explorer_form.h"
#include "explorer_interface.h"
#include "study_runner.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <optional>

class QAction;
class QMenu;
class QTabWidget;

namespace planewall {

class ChartPage;
class ChartView;
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

Q_SIGNALS:
    // A study's outcome is on the screen (for tests and the benchmark).
    void studyShown();

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
    StudyRunner m_runner;
    QTimer m_pause;
    std::optional<Study> m_shown;
    bool m_escapeCloses = false;
    bool m_opened = false;
    std::array<QMenu *, 3> m_menus{};
};

} // namespace planewall
