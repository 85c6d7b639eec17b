// SPDX-FileCopyrightText: the planewall authors
// SPDX-License-Identifier: GPL-3.0-or-later

// "Fit to data..." driven through the explorer: files of readings written from values computed
// with mpmath (tests/reference/fit_readings.py: the pipeline wall, L = 40 mm, k = 63.9 W/mK,
// ρ = 7832 kg/m³, c_p = 434 J/kgK, from -20 °C into 60 °C through h = 500 W/m²K, a reading every
// 10 s to 8 min), read by the window's own path, the fitted h, the chart's points, curve and
// residuals, h put into the inputs, and files that cannot be read.

#include "chart_view.h"
#include "explorer_window.h"
#include "fit_panel.h"
#include "input_panel.h"
#include "offscreen_test_main.h"
#include "results_panel.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXYSeries>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>

using namespace planewall;

namespace {

struct Sample
{
    double t, T; // s, °C
};

// The readings of one case of tests/reference/fit_readings.tsv.
std::vector<Sample> referenceReadings(const std::string &name)
{
    std::ifstream in(PLANEWALL_REFERENCE_DIR "/fit_readings.tsv");
    std::vector<Sample> out;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream cells(line);
        std::string kind, which, t, T;
        std::getline(cells, kind, '\t');
        std::getline(cells, which, '\t');
        std::getline(cells, t, '\t');
        std::getline(cells, T, '\t');
        if (kind == "reading" && which == name)
            out.push_back({std::stod(t), std::stod(T)});
    }
    return out;
}

QXYSeries *seriesNamed(ChartView *view, const QString &prefix)
{
    for (QXYSeries *s : view->drawnSeries()) {
        if (s->name().startsWith(prefix))
            return s;
    }
    return nullptr;
}

} // namespace

class FitWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void fitsTheFileOnTheExplorersWall_data();
    void fitsTheFileOnTheExplorersWall();
    void applyPutsHInTheFieldsUnit_data();
    void applyPutsHInTheFieldsUnit();
    void badFilesAreExplainedByLine_data();
    void badFilesAreExplainedByLine();
    void clearFitTakesTheReadingsAway();
    void tabWalksFromTheChartThroughTheFit();

private:
    void typeInto(Input input, const QString &text);
    void choose(QComboBox *combo, int index);
    bool waitForStudy();
    QString write(const QString &name, const QByteArray &text);
    // The pipeline wall in the fields, and its centre readings fitted.
    void fitTheCentre();

    std::unique_ptr<ExplorerWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void FitWindowTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void FitWindowTest::init()
{
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                  + QStringLiteral("/explorer.conf"));
    m_folder = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<ExplorerWindow>();
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(!shown.isEmpty() || shown.wait(5000));
    // The pipeline wall: its material's k, ρ and c_p typed in.
    const std::pair<Input, const char *> fields[]
        = {{Input::L, "40"},   {Input::K, "63.9"},  {Input::Rho, "7832"}, {Input::Cp, "434"},
           {Input::TI, "-20"}, {Input::TInf, "60"}, {Input::X, "0"}};
    for (const auto &[input, text] : fields)
        typeInto(input, QString::fromLatin1(text));
    QTest::keyClick(m_window->inputs()->edit(Input::X), Qt::Key_Return);
    QVERIFY(waitForStudy());
}

void FitWindowTest::cleanup()
{
    m_window.reset();
    m_folder.reset();
}

void FitWindowTest::typeInto(Input input, const QString &text)
{
    QLineEdit *edit = m_window->inputs()->edit(input);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

void FitWindowTest::choose(QComboBox *combo, int index)
{
    combo->setFocus(Qt::TabFocusReason);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

bool FitWindowTest::waitForStudy()
{
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    return shown.wait(5000);
}

QString FitWindowTest::write(const QString &name, const QByteArray &text)
{
    const QString path = m_folder->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void FitWindowTest::fitTheCentre()
{
    QByteArray text = "t [s],T [C]\n";
    for (const Sample &s : referenceReadings("centre500"))
        text += QByteArray::number(s.t, 'g', 17) + ',' + QByteArray::number(s.T, 'g', 17) + '\n';
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    m_window->fitFile(write(QStringLiteral("centre.csv"), text));
    QVERIFY(shown.wait(5000));
}

void FitWindowTest::fitsTheFileOnTheExplorersWall_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<char>("separator");
    QTest::addColumn<double>("secondsPerUnit"); // of the file's times
    QTest::addColumn<double>("kelvinOffset"); // added to the file's °C
    QTest::addColumn<int>("plainTimeUnit"); // the fit panel's chooser: s, min, h
    QTest::addColumn<QString>("x"); // mm
    QTest::addColumn<int>("solveFor"); // 2: the time for the mean to reach the target

    QTest::newRow("centre, seconds and C in the header")
        << "centre500" << QByteArray("t [s],T [C]") << ',' << 1.0 << 0.0 << 0 << "0" << 0;
    QTest::newRow("centre, tabs, minutes in the header, kelvin")
        << "centre500" << QByteArray("time [min]\ttemperature [K]") << '\t' << 60.0 << 273.15 << 0
        << "0" << 0;
    QTest::newRow("centre, no header, plain minutes chosen")
        << "centre500" << QByteArray() << ',' << 60.0 << 0.0 << 1 << "0" << 0;
    QTest::newRow("at x = 30 mm") << "x30mm500" << QByteArray("t,T") << ',' << 1.0 << 0.0 << 0
                                  << "30" << 0;
    QTest::newRow("the mean when solving on the mean")
        << "mean500" << QByteArray("t,T") << ',' << 1.0 << 0.0 << 0 << "0" << 2;
}

void FitWindowTest::fitsTheFileOnTheExplorersWall()
{
    QFETCH(QString, reference);
    QFETCH(QByteArray, header);
    QFETCH(char, separator);
    QFETCH(double, secondsPerUnit);
    QFETCH(double, kelvinOffset);
    QFETCH(int, plainTimeUnit);
    QFETCH(QString, x);
    QFETCH(int, solveFor);

    typeInto(Input::X, x);
    // A target the mean reaches, read when solving on the mean.
    choose(m_window->inputs()->solveForChooser(), solveFor);
    typeInto(Input::Target, QStringLiteral("40"));
    QTest::keyClick(m_window->inputs()->edit(Input::Target), Qt::Key_Return);
    QVERIFY(waitForStudy());

    const std::vector<Sample> readings = referenceReadings(reference.toStdString());
    QCOMPARE(readings.size(), std::size_t{49});
    QByteArray text = header.isEmpty() ? QByteArray() : header + '\n';
    for (const Sample &s : readings)
        text += QByteArray::number(s.t / secondsPerUnit, 'g', 17) + separator
            + QByteArray::number(s.T + kelvinOffset, 'g', 17) + "\r\n";
    const QString path = write(QStringLiteral("readings.csv"), text);
    // The chooser of plain times reads the file again; the fit panel is made by the first read.
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    m_window->fitFile(path);
    const bool waited = shown.wait(5000);
    QVERIFY2(waited, qPrintable(m_window->fitPanel()->problem()->text()));
    FitPanel *panel = m_window->fitPanel();
    QVERIFY(panel && panel->isVisible());
    if (plainTimeUnit != 0) {
        choose(panel->timeUnitChooser(), plainTimeUnit);
        QVERIFY(shown.wait(5000));
    }

    const std::optional<Study> &study = m_window->shownStudy();
    QVERIFY(study && study->fit && study->fit->result);
    QVERIFY2(qAbs(study->fit->result->h.value / 500 - 1) < 1e-6,
             qPrintable(QString::number(study->fit->result->h.value, 'g', 17)));
    QVERIFY(panel->summary()->text().startsWith(QStringLiteral("h = 500 W/m\u00B2K\n")));
    QVERIFY(panel->summary()->text().contains(QStringLiteral("Readings used: 49")));
    QVERIFY(panel->heading()->text().contains(QStringLiteral("readings.csv")));
    QVERIFY(panel->problem()->isHidden());
    QVERIFY(panel->applyButton()->isEnabled());
    // The texts start where the buttons under them do.
    QCOMPARE(panel->summary()->mapTo(panel, QPoint(0, 0)).x(),
             panel->applyButton()->mapTo(panel, QPoint(0, 0)).x());

    // On the T(t) chart, in its minutes and °C: every reading a point, and the fitted curve
    // through each of them.
    ChartView *history = m_window->chartView(ChartKind::History);
    QXYSeries *points = seriesNamed(history, QStringLiteral("readings"));
    QXYSeries *curve = seriesNamed(history, QStringLiteral("fit, h = 500"));
    QVERIFY(points && curve);
    QCOMPARE(points->count(), 49);
    for (int i = 0; i < 49; ++i) {
        const Sample &s = readings[static_cast<std::size_t>(i)];
        QVERIFY(qAbs(points->at(i).x() - s.t / 60) < 1e-12);
        QVERIFY(qAbs(points->at(i).y() - s.T) < 1e-9);
        bool through = false;
        for (const QPointF &p : curve->points())
            through = through || (qAbs(p.x() - s.t / 60) < 1e-12 && qAbs(p.y() - s.T) < 1e-6);
        QVERIFY2(through, qPrintable(QStringLiteral("t = %1 s").arg(s.t)));
    }
    QVERIFY(curve->count() > 200);
    QXYSeries *residuals = seriesNamed(panel->residualView(), QStringLiteral("residual"));
    QVERIFY(panel->residualView()->isVisible() && residuals);
    QCOMPARE(residuals->count(), 49);
    for (const QPointF &p : residuals->points())
        QVERIFY(qAbs(p.y()) < 1e-6);
    QCOMPARE(residuals->at(48).x(), 8.0);
    QVERIFY(seriesNamed(panel->residualView(), QStringLiteral("zero")));
}

void FitWindowTest::applyPutsHInTheFieldsUnit_data()
{
    QTest::addColumn<int>("unit"); // the h chooser's index
    QTest::addColumn<double>("expected"); // 500 W/m²K in that unit
    QTest::newRow("W/m²K") << 0 << 500.0;
    // 1 Btu/h·ft²·°F = 1055.05585262 J / 3600 s / 0.3048² m² / (5/9) K (mpmath).
    QTest::newRow("Btu/h·ft²·°F") << 1 << 88.055091841152920365;
}

void FitWindowTest::applyPutsHInTheFieldsUnit()
{
    QFETCH(int, unit);
    QFETCH(double, expected);
    typeInto(Input::H, QStringLiteral("1000"));
    choose(m_window->inputs()->unitChooser(Input::H), unit);
    fitTheCentre();
    QVERIFY(m_window->fitPanel()->summary()->text().contains(QStringLiteral("95% interval: ")));

    // Alt+Y, the button's mnemonic, from wherever the focus is.
    QVERIFY(m_window->fitPanel()->applyButton()->isVisible());
    QVERIFY(m_window->fitPanel()->applyButton()->isEnabled());
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    QTest::keyClick(m_window.get(), Qt::Key_Y, Qt::AltModifier);
    QLineEdit *h = m_window->inputs()->edit(Input::H);
    // A mnemonic clicks its button once the press has shown.
    QTRY_VERIFY(h->text() != QStringLiteral("1000")
                && h->text() != QStringLiteral("176.110183682"));
    QVERIFY2(qAbs(h->text().toDouble() / expected - 1) < 1e-6, qPrintable(h->text()));
    QCOMPARE(m_window->inputs()->unitChooser(Input::H)->currentIndex(), unit);
    // Computed again with it.
    QVERIFY(!shown.isEmpty() || shown.wait(5000));
    QVERIFY(qAbs(m_window->shownStudy()->results->h / 500 - 1) < 1e-6);

    // Not while h is solved for: the field is not read then.
    choose(m_window->inputs()->solveForChooser(), 3);
    QVERIFY(shown.wait(5000));
    QVERIFY(!m_window->fitPanel()->applyButton()->isEnabled());
}

void FitWindowTest::badFilesAreExplainedByLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message"); // what the panel shows, in part
    QTest::addColumn<bool>("earlierFitStays");

    QTest::newRow("a letter in a cell")
        << QByteArray("t,T\n0,-20\n10,-19.6\n20,-1O.5\n30,-15\n") << "bad.csv: line 4: " << true;
    QTest::newRow("times not increasing")
        << QByteArray("0,-20\n10,-19.6\n30,-17\n30,-15\n") << "bad.csv: line 4: " << true;
    QTest::newRow("semicolons") << QByteArray("t;T\n0;-20\n10;-19,6\n")
                                << "bad.csv: line 1: " << true;
    QTest::newRow("nothing but a header") << QByteArray("t,T\n") << "bad.csv: " << true;
    // Not a file of readings at all (the text is not written then).
    QTest::newRow("a folder") << QByteArray("folder") << "is a folder, not a file of readings"
                              << true;
    QTest::newRow("a file that is not there")
        << QByteArray("missing") << "missing.csv: cannot be opened: " << true;
    // Read, but hotter than the fluid: the fit says which reading, and the readings it cannot
    // fit replace the earlier ones.
    QTest::newRow("a reading beyond T\u221E")
        << QByteArray("0,-20\n10,-19\n20,-10\n30,75\n40,20\n") << "line 4: " << false;
}

void FitWindowTest::badFilesAreExplainedByLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    QFETCH(bool, earlierFitStays);
    fitTheCentre();

    QSignalSpy read(m_window.get(), &ExplorerWindow::readingsRead);
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    if (text == "folder")
        m_window->fitFile(m_folder->path());
    else if (text == "missing")
        m_window->fitFile(m_folder->filePath(QStringLiteral("missing.csv")));
    else
        m_window->fitFile(write(QStringLiteral("bad.csv"), text));
    QVERIFY(read.wait(5000));
    QCOMPARE(read.front().front().toBool(), !earlierFitStays);
    if (!earlierFitStays)
        QVERIFY(!shown.isEmpty() || shown.wait(5000));
    FitPanel *panel = m_window->fitPanel();
    QVERIFY2(panel->problem()->isVisible() && panel->problem()->text().contains(message),
             qPrintable(panel->problem()->text()));

    const std::optional<Study> &study = m_window->shownStudy();
    QXYSeries *points
        = seriesNamed(m_window->chartView(ChartKind::History), QStringLiteral("readings"));
    QVERIFY(points);
    if (earlierFitStays) {
        QVERIFY(study->fit && study->fit->result);
        QCOMPARE(points->count(), 49);
        QVERIFY(panel->summary()->text().startsWith(QStringLiteral("h = 500 W/m\u00B2K")));
        QVERIFY(panel->applyButton()->isEnabled());
    } else {
        QVERIFY(study->fit && !study->fit->result);
        QCOMPARE(points->count(), 5);
        QVERIFY(panel->residualView()->isHidden());
        QVERIFY(!panel->applyButton()->isEnabled());
    }
}

void FitWindowTest::clearFitTakesTheReadingsAway()
{
    fitTheCentre();
    ChartView *history = m_window->chartView(ChartKind::History);
    const auto withoutFit = history->drawnSeries().size() - 2;
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    QTest::keyClick(m_window.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(m_window->fitPanel()->isHidden());
    QVERIFY(!shown.isEmpty() || shown.wait(5000));
    QCOMPARE(history->drawnSeries().size(), withoutFit);
    QVERIFY(!seriesNamed(history, QStringLiteral("readings")));
    QVERIFY(!m_window->shownStudy()->fit);
    // And it stays away as the inputs change.
    typeInto(Input::H, QStringLiteral("600"));
    QVERIFY(waitForStudy());
    QVERIFY(!m_window->shownStudy()->fit);
}

// Under the T(t) chart the fit's panel comes next in the Tab chain, then the results.
void FitWindowTest::tabWalksFromTheChartThroughTheFit()
{
    fitTheCentre();
    m_window->chartTabs()->setCurrentIndex(1);
    ChartView *history = m_window->chartView(ChartKind::History);
    QVERIFY(QTest::qWaitForWindowExposed(history));
    history->setFocus(Qt::TabFocusReason);
    QList<QWidget *> walked;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget();
    }
    const qsizetype apply = walked.indexOf(m_window->fitPanel()->applyButton());
    const qsizetype table = walked.indexOf(m_window->results()->table());
    QVERIFY2(apply >= 0 && table > apply, qPrintable(QString::number(apply)));
    const qsizetype residuals = walked.indexOf(m_window->fitPanel()->residualView());
    QVERIFY(residuals >= 0 && residuals < apply);
}

PLANEWALL_OFFSCREEN_TEST_MAIN(FitWindowTest)
#include "fit_window_test.moc"
