// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The explorer driven as a user drives it: keys typed into its fields and choosers, mouse clicks
// and drags, Enter to solve; its results and the series its charts draw, checked against values
// computed independently with mpmath (tests/core/study_test.cpp's steel wall: L = 50 mm,
// k = 60.5 W/mK, ρ = 7854 kg/m³, c_p = 434 J/kgK, h = 500 W/m²K, 300 °C into 25 °C, t = 10 min)
// and against calc/'s exact solution point by point.

#include "chart_view.h"
#include "explorer_window.h"
#include "input_panel.h"
#include "offscreen_test_main.h"
#include "results_panel.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

#include <memory>

using namespace planewall;

namespace {

constexpr double kL = 0.05, kK = 60.5, kRho = 7854, kCp = 434;
constexpr double kAlpha = kK / (kRho * kCp);

// The Fo of a time in minutes, and a temperature in °C from θ*, for the steel wall.
double foOfMinutes(double minutes)
{
    return kAlpha * minutes * 60 / (kL * kL);
}

double celsius(double theta)
{
    return 25 + 275 * theta;
}

} // namespace

class ExplorerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startsWithTheSteelWall();
    void solveForTimeWithTheKeyboard();
    void solveForHWithMouseAndKeys();
    void chartsFollowTheFieldsUnits();
    void unitChangeConvertsTheShownValue();
    void badInputIsShownBesideItAndChartsStay_data();
    void badInputIsShownBesideItAndChartsStay();
    void materialFillsPropertiesAndEditingLeavesIt();
    void calculatorBoxesReplaceOnlyHLAndK();
    void escapeClosesOnlyBesideTheCalculator();
    void remembersInputsAndSize();
    void tabWalksInReadingOrder();
    void chartTakesFocusAndCopiesItself();
    void hoverZoomAndReset();
    void resultsCopyAsText();

private:
    void open();
    bool waitForStudy();
    void typeInto(Input input, const QString &text);
    void choose(QComboBox *combo, int index);
    QLineSeries *series(ChartKind kind, const QString &name) const;

    std::unique_ptr<ExplorerWindow> m_window;
};

void ExplorerTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void ExplorerTest::init()
{
    // Each test starts from the explorer's own first inputs.
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                  + QStringLiteral("/explorer.conf"));
    open();
}

void ExplorerTest::cleanup()
{
    m_window.reset();
}

void ExplorerTest::open()
{
    m_window = std::make_unique<ExplorerWindow>();
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(!shown.isEmpty() || shown.wait(5000));
}

bool ExplorerTest::waitForStudy()
{
    QSignalSpy shown(m_window.get(), &ExplorerWindow::studyShown);
    return shown.wait(5000);
}

// Clicks into the field, selects its text and types over it, as a user would.
void ExplorerTest::typeInto(Input input, const QString &text)
{
    QLineEdit *edit = m_window->inputs()->edit(input);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

// Moves a closed combo box to `index` with the arrow keys, as keyboard users do.
void ExplorerTest::choose(QComboBox *combo, int index)
{
    combo->setFocus(Qt::TabFocusReason);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), index);
}

QLineSeries *ExplorerTest::series(ChartKind kind, const QString &name) const
{
    for (QXYSeries *s : m_window->chartView(kind)->drawnSeries()) {
        if (s->name() == name)
            return qobject_cast<QLineSeries *>(s);
    }
    qWarning("no series %s", qPrintable(name));
    return nullptr;
}

void ExplorerTest::startsWithTheSteelWall()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("planewall explorer"));
    const std::optional<Study> &study = m_window->shownStudy();
    QVERIFY(study && study->results);
    // T at the centre after 10 min: 87.320054035943266 °C (mpmath).
    QVERIFY(qAbs(study->results->point.temperature - 87.320054035943266) < 1e-9);
    QTableWidget *table = m_window->results()->table();
    QCOMPARE(table->verticalHeaderItem(2)->text(), QStringLiteral("T at x"));
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("87.3201 \u00B0C"));
    // Every curve is drawn against the chart's own two axes.
    for (ChartKind kind : kChartKinds) {
        QVERIFY(!m_window->chartView(kind)->drawnSeries().empty());
        for (QXYSeries *s : m_window->chartView(kind)->drawnSeries()) {
            const QList<QAbstractAxis *> axes = s->attachedAxes();
            QCOMPARE(axes.size(), 2);
            QCOMPARE(axes[0]->orientation() | axes[1]->orientation(),
                     Qt::Horizontal | Qt::Vertical);
        }
    }
    QCOMPARE(m_window->inputs()->materialChooser()->currentText(),
             QStringLiteral("Plain carbon steel"));
}

void ExplorerTest::solveForTimeWithTheKeyboard()
{
    // Alt+S goes to "Solve for"; Down once is "Time t for T at x to reach the target".
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::AltModifier);
    QComboBox *solveFor = m_window->inputs()->solveForChooser();
    QCOMPARE(QApplication::focusWidget(), solveFor);
    QCOMPARE(m_window->inputs()->edit(Input::T)->placeholderText(), QString());
    QTest::keyClick(solveFor, Qt::Key_Down);
    QCOMPARE(solveFor->currentIndex(), 1);
    // t then only draws the charts further, if given.
    QCOMPARE(m_window->inputs()->edit(Input::T)->placeholderText(), QStringLiteral("optional"));
    // Alt+R to the target, 100 °C, Enter.
    QTest::keyClick(m_window.get(), Qt::Key_R, Qt::AltModifier);
    QLineEdit *target = m_window->inputs()->edit(Input::Target);
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(target, QStringLiteral("100"));
    QTest::keyClick(target, Qt::Key_Return);
    QVERIFY(waitForStudy());

    const StudyResults &r = *m_window->shownStudy()->results;
    const double solvedMinutes = 8.7992908795129747; // mpmath
    QVERIFY(qAbs(r.t / 60 - solvedMinutes) < 1e-9);
    QCOMPARE(m_window->results()->table()->item(0, 0)->text(), QStringLiteral("8.79929 min"));

    // The history marks the target and the solved time, and its centre curve crosses 100 °C
    // there; every point of it is calc/'s exact θ* at its time.
    QLineSeries *targetLine = series(ChartKind::History, QStringLiteral("target 100 \u00B0C"));
    QVERIFY(targetLine);
    QCOMPARE(targetLine->at(0).y(), 100.0);
    QLineSeries *solvedLine = series(ChartKind::History, QStringLiteral("solved t = 8.8 min"));
    QVERIFY(solvedLine);
    QVERIFY(qAbs(solvedLine->at(0).x() - solvedMinutes) < 1e-9);
    QLineSeries *centre = series(ChartKind::History, QStringLiteral("centre, x = 0 mm"));
    QVERIFY(centre && centre->count() > 200);
    const WallSolution wall(r.bi);
    for (const QPointF &p : centre->points())
        QVERIFY(qAbs(p.y() - celsius(wall.theta(0, foOfMinutes(p.x())))) < 1e-9);
    // The span reaches twice the later of t (10 min) and the solved time.
    QCOMPARE(centre->points().back().x(), 20.0);
    // The profile is drawn around the solved time: its middle curve is at 8.8 min.
    QVERIFY(series(ChartKind::Profile, QStringLiteral("8.8 min")));
}

void ExplorerTest::solveForHWithMouseAndKeys()
{
    choose(m_window->inputs()->solveForChooser(), 3); // h for T at x to reach the target by t
    QVERIFY(waitForStudy());
    typeInto(Input::Target, QStringLiteral("100"));
    QTest::keyClick(m_window->inputs()->edit(Input::Target), Qt::Key_Return);
    QVERIFY(waitForStudy());

    QLineEdit *h = m_window->inputs()->edit(Input::H);
    QVERIFY(!h->isEnabled());
    const StudyResults &r = *m_window->shownStudy()->results;
    QVERIFY(qAbs(r.h - 429.98445827931432) < 1e-7); // mpmath
    QCOMPARE(m_window->results()->table()->verticalHeaderItem(0)->text(),
             QStringLiteral("h (solved)"));
    QCOMPARE(m_window->results()->table()->item(0, 0)->text(),
             QStringLiteral("429.984 W/m\u00B2K"));
    // With that h the centre is at 100 °C at t = 10 min, the history's midpoint.
    QLineSeries *centre = series(ChartKind::History, QStringLiteral("centre, x = 0 mm"));
    QVERIFY(centre);
    bool found = false;
    for (const QPointF &p : centre->points()) {
        if (p.x() == 10) {
            QVERIFY(qAbs(p.y() - 100) < 1e-8);
            found = true;
        }
    }
    QVERIFY(found);
}

void ExplorerTest::chartsFollowTheFieldsUnits()
{
    // The Heisler chart is always dimensionless; its middle curve is this wall's Bi, whose
    // θ*0 at Fo = 1 is 0.73776646573495060 (mpmath).
    QLineSeries *mine = series(ChartKind::Heisler, QStringLiteral("Bi = 0.413"));
    QVERIFY(mine);
    bool found = false;
    for (const QPointF &p : mine->points()) {
        if (p.x() == 1) {
            QVERIFY(qAbs(p.y() - 0.73776646573495060) < 1e-13);
            found = true;
        }
    }
    QVERIFY(found);
    // x in inches and t in hours: the axes and the points follow.
    choose(m_window->inputs()->unitChooser(Input::X), 3);
    QCOMPARE(m_window->inputs()->unitChooser(Input::X)->currentText(), QStringLiteral("in"));
    choose(m_window->inputs()->unitChooser(Input::T), 2);
    QVERIFY(waitForStudy());
    ChartView *profile = m_window->chartView(ChartKind::Profile);
    const auto axes = profile->chart()->axes(Qt::Horizontal);
    QCOMPARE(axes.front()->titleText(), QStringLiteral("x (in)"));
    QLineSeries *atT = series(ChartKind::Profile, QStringLiteral("0.167 h"));
    QVERIFY(atT);
    QVERIFY(qAbs(atT->points().back().x() - 0.05 / 0.0254) < 1e-12);
    QVERIFY(qAbs(atT->points().front().y() - 87.320054035943266) < 1e-9);
}

void ExplorerTest::unitChangeConvertsTheShownValue()
{
    QComboBox *unit = m_window->inputs()->unitChooser(Input::L);
    choose(unit, 1); // cm
    QCOMPARE(m_window->inputs()->edit(Input::L)->text(), QStringLiteral("5"));
    choose(m_window->inputs()->unitChooser(Input::TI), 2); // °F
    QCOMPARE(m_window->inputs()->edit(Input::TI)->text(), QStringLiteral("572"));
    QVERIFY(waitForStudy());
    // The same wall: the same Bi; temperatures now in the scale of Ti.
    const StudyResults &r = *m_window->shownStudy()->results;
    QVERIFY(qAbs(r.bi - 0.41322314049586777) < 1e-15);
    // 25 °C is 77 °F: T∞ keeps its own unit, and the results use Ti's scale.
    QVERIFY(qAbs(r.point.temperature - 189.17609726469789) < 1e-9);
}

void ExplorerTest::badInputIsShownBesideItAndChartsStay_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("letters in k") << int(Input::K) << "abc"
                                  << "'abc' is not a number";
    QTest::newRow("grouped thousands in h") << int(Input::H) << "1,000.5"
                                            << "no grouping";
    QTest::newRow("x beyond the face") << int(Input::X) << "51"
                                       << "x must lie in [0, L]";
    QTest::newRow("Ti below absolute zero") << int(Input::TI) << "-300"
                                            << "below absolute zero";
    QTest::newRow("a unit typed in t") << int(Input::T) << "5 min"
                                       << "choose the unit beside";
}

void ExplorerTest::badInputIsShownBesideItAndChartsStay()
{
    QFETCH(int, input);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const auto which = static_cast<Input>(input);
    const auto before = m_window->chartView(ChartKind::Profile)->drawnSeries().front()->points();
    const QString original = m_window->inputs()->edit(which)->text();

    typeInto(which, text);
    QVERIFY(waitForStudy());
    QLabel *label = m_window->inputs()->message(which);
    QVERIFY(label->isVisible());
    QVERIFY2(label->text().contains(message), qPrintable(label->text()));
    QCOMPARE(m_window->inputs()->edit(which)->accessibleDescription(), label->text());
    for (ChartKind kind : kChartKinds)
        QVERIFY(m_window->chartView(kind)->isOutOfDate());
    QCOMPARE(m_window->chartView(ChartKind::Profile)->drawnSeries().front()->points(), before);
    QVERIFY(m_window->results()->statusLabel()->text().startsWith(QStringLiteral("Out of date")));

    // Fixing it brings everything back up to date, and the message goes.
    typeInto(which, original);
    QTest::keyClick(m_window->inputs()->edit(which), Qt::Key_Return);
    QVERIFY(waitForStudy());
    QVERIFY(!label->isVisible());
    QVERIFY(!m_window->chartView(ChartKind::Profile)->isOutOfDate());
}

void ExplorerTest::materialFillsPropertiesAndEditingLeavesIt()
{
    QComboBox *material = m_window->inputs()->materialChooser();
    const int copper = material->findText(QStringLiteral("Copper, pure"));
    QVERIFY(copper > 0);
    choose(m_window->inputs()->unitChooser(Input::Cp), 1); // kJ/kgK, before the material
    choose(material, copper);
    QCOMPARE(m_window->inputs()->edit(Input::K)->text(), QStringLiteral("401"));
    QCOMPARE(m_window->inputs()->edit(Input::Rho)->text(), QStringLiteral("8933"));
    QCOMPARE(m_window->inputs()->edit(Input::Cp)->text(), QStringLiteral("0.385"));
    QVERIFY(waitForStudy());
    // Bi = 500 · 0.05 / 401.
    QVERIFY(qAbs(m_window->shownStudy()->results->bi - 0.062344139650872818) < 1e-15);
    // Editing k keeps the other values and leaves the material.
    typeInto(Input::K, QStringLiteral("390"));
    QCOMPARE(material->currentIndex(), 0);
    QCOMPARE(m_window->inputs()->edit(Input::Rho)->text(), QStringLiteral("8933"));
    QVERIFY(waitForStudy());
    // Fo = k / (ρ c_p) · t / L² = 390 / (8933 · 385) · 600 s / (50 mm)².
    QVERIFY(qAbs(m_window->shownStudy()->results->fo / 27.21559197547107 - 1) < 1e-14);

    // Given by α instead: ρ and c_p are no longer read. Fo = 100 mm²/s · 600 s / (50 mm)².
    choose(m_window->inputs()->givenByChooser(), 1);
    QVERIFY(waitForStudy());
    QCOMPARE(m_window->inputs()->unitChooser(Input::Alpha)->currentText(),
             QStringLiteral("mm\u00B2/s"));
    typeInto(Input::Alpha, QStringLiteral("100"));
    QVERIFY(waitForStudy());
    QVERIFY(qAbs(m_window->shownStudy()->results->fo / 24 - 1) < 1e-14);
    QVERIFY(!m_window->inputs()->edit(Input::Rho)->isEnabled());
    choose(m_window->inputs()->givenByChooser(), 0);
    QVERIFY(waitForStudy());
    QVERIFY(qAbs(m_window->shownStudy()->results->fo / 27.21559197547107 - 1) < 1e-14);
}

void ExplorerTest::calculatorBoxesReplaceOnlyHLAndK()
{
    typeInto(Input::TI, QStringLiteral("400"));
    m_window->takeCalculatorBoxes({CalculatorBox{25.0, "25"}, CalculatorBox{std::nullopt, "1e999"},
                                   CalculatorBox{0.1 + 0.2, "0.30000000000000004"}});
    QVERIFY(waitForStudy());
    InputPanel *in = m_window->inputs();
    QCOMPARE(in->edit(Input::H)->text(), QStringLiteral("25"));
    QCOMPARE(in->unitChooser(Input::L)->currentText(), QStringLiteral("m"));
    QCOMPARE(in->edit(Input::L)->text(), QStringLiteral("1e999"));
    QVERIFY(in->message(Input::L)->text().contains(QStringLiteral("beyond the range")));
    QCOMPARE(in->edit(Input::K)->text(), QStringLiteral("0.30000000000000004"));
    QCOMPARE(in->unitChooser(Input::K)->currentText(), QStringLiteral("W/mK"));
    QCOMPARE(in->edit(Input::TI)->text(), QStringLiteral("400"));
}

void ExplorerTest::escapeClosesOnlyBesideTheCalculator()
{
    QLineEdit *edit = m_window->inputs()->edit(Input::L);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    m_window->setEscapeCloses(true);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());

    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->setEscapeCloses(false);
    QTest::keyClick(m_window->inputs()->edit(Input::K), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!m_window->isVisible());
}

void ExplorerTest::remembersInputsAndSize()
{
    choose(m_window->inputs()->unitChooser(Input::L), 1);
    typeInto(Input::L, QStringLiteral("4,5"));
    choose(m_window->inputs()->solveForChooser(), 2);
    // Offscreen the screen is 800 pixels wide, and the window is at least as wide as its
    // minimum; its height is free.
    const QSize size(m_window->minimumSizeHint().width(),
                     m_window->minimumSizeHint().height() + 47);
    m_window->resize(size);
    m_window->close();
    open();
    QCOMPARE(m_window->inputs()->edit(Input::L)->text(), QStringLiteral("4,5"));
    QCOMPARE(m_window->inputs()->unitChooser(Input::L)->currentText(), QStringLiteral("cm"));
    QCOMPARE(m_window->inputs()->solveForChooser()->currentIndex(), 2);
    QCOMPARE(m_window->size(), size);
    QVERIFY(qAbs(m_window->shownStudy()->results->bi - 500 * 0.045 / 60.5) < 1e-15);
}

void ExplorerTest::tabWalksInReadingOrder()
{
    InputPanel *in = m_window->inputs();
    in->materialChooser()->setFocus(Qt::TabFocusReason);
    const std::vector<QWidget *> expected = {
        static_cast<QWidget *>(in->edit(Input::L)), in->unitChooser(Input::L), in->edit(Input::K),
        in->unitChooser(Input::K), in->givenByChooser(), in->edit(Input::Rho),
        in->unitChooser(Input::Rho), in->edit(Input::Cp), in->unitChooser(Input::Cp),
        // α is not in use with ρ and c_p: Tab passes it by.
        in->edit(Input::H), in->unitChooser(Input::H), in->edit(Input::TInf),
        in->unitChooser(Input::TInf), in->edit(Input::TI), in->unitChooser(Input::TI),
        in->edit(Input::T), in->unitChooser(Input::T), in->edit(Input::X),
        in->unitChooser(Input::X), in->solveForChooser(),
        // The target is not in use until something is solved.
        m_window->chartTabs()->tabBar(), m_window->chartView(ChartKind::Profile),
        m_window->results()->table(), m_window->results()->copyButton()};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // A screen reader names each field and, apart, its unit.
    QCOMPARE(in->edit(Input::K)->accessibleName(), QStringLiteral("Conductivity k"));
    for (int i = 0; i < kInputCount; ++i) {
        const auto input = static_cast<Input>(i);
        QVERIFY(!in->edit(input)->accessibleName().isEmpty());
        QCOMPARE(in->unitChooser(input)->accessibleName(),
                 QStringLiteral("Unit of ") + in->edit(input)->accessibleName());
    }
}

void ExplorerTest::chartTakesFocusAndCopiesItself()
{
    // The chart is made when its tab first opens, and laid out before the user can click it.
    m_window->chartTabs()->setCurrentIndex(1);
    ChartView *view = m_window->chartView(ChartKind::History);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QTRY_VERIFY(view->chart()->plotArea().width() > 100);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(QApplication::focusWidget(), view);
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), view->size() * view->devicePixelRatio());
    QCOMPARE(view->accessibleName(), QStringLiteral("Temperature against time"));
    QVERIFY(
        view->accessibleDescription().contains(QStringLiteral("at the centre and the surface")));

    // Alt+3 goes to the third chart; the Chart menu's Ctrl+Alt+C copies the chart shown.
    QTest::keyClick(m_window.get(), Qt::Key_3, Qt::AltModifier);
    QCOMPARE(m_window->chartTabs()->currentIndex(), 2);
    ChartView *energy = m_window->chartView(ChartKind::Energy);
    QVERIFY(QTest::qWaitForWindowExposed(energy));
    QApplication::clipboard()->clear();
    QTest::keyClick(m_window.get(), Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(QApplication::clipboard()->image().size(),
             energy->size() * energy->devicePixelRatio());
}

void ExplorerTest::hoverZoomAndReset()
{
    ChartView *view = m_window->chartView(ChartKind::Profile);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    // The plot's place once the chart's layout has settled.
    QRectF area;
    QTRY_VERIFY((area = view->chart()->plotArea(), QCoreApplication::processEvents(),
                 area.width() > 100 && area == view->chart()->plotArea()));
    const QPoint middle = view->mapFromScene(view->chart()->mapToScene(area.center()));
    QTest::mouseMove(view->viewport(), middle);
    // The middle of the plot: x = 25 mm, T = 150 °C, to within a pixel or two (a pixel is
    // larger at a larger scale: the plot has fewer of them). Waited for, since a hover left
    // from where the pointer was before may show first.
    const double mmPerPixel = 50.0 / area.width();
    const QRegularExpression values(
        QStringLiteral("^x \\(mm\\) = (\\S+)    T \\(\u00B0C\\) = (\\S+)$"));
    const auto near = [&] {
        const QRegularExpressionMatch match = values.match(view->hoverText());
        return match.hasMatch() && qAbs(match.captured(1).toDouble() - 25) < 2 * mmPerPixel
            && qAbs(match.captured(2).toDouble() - 150) < 1.5;
    };
    QTRY_VERIFY2(near(), qPrintable(view->hoverText()));

    // Drag a rectangle over the left half: x then runs over about 0 to 25 mm.
    auto *x = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Horizontal).front());
    const QPoint from
        = view->mapFromScene(view->chart()->mapToScene(area.topLeft() + QPointF(1, 1)));
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view->viewport(), middle);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, middle);
    QVERIFY(x->max() < 26 && x->max() > 24);
    // A new study keeps the zoom; Home brings the whole wall back.
    typeInto(Input::H, QStringLiteral("600"));
    QVERIFY(waitForStudy());
    QVERIFY(x->max() < 26);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(x->min(), 0.0);
    QCOMPARE(x->max(), 50.0);
}

void ExplorerTest::resultsCopyAsText()
{
    // The button lies under the table, at its right, not over it.
    const QRect table = m_window->results()->table()->geometry();
    const QRect button = m_window->results()->copyButton()->geometry();
    QVERIFY(button.top() > table.bottom());
    QCOMPARE(button.right(), table.right());
    QApplication::clipboard()->clear();
    QTest::mouseClick(m_window->results()->copyButton(), Qt::LeftButton);
    const QString text = QApplication::clipboard()->text();
    QVERIFY(text.startsWith(QStringLiteral("\texact\tone-term\terror\tlumped\terror\n")));
    QVERIFY(text.contains(QStringLiteral("\nT at x\t87.3201 \u00B0C\t")));
}

PLANEWALL_OFFSCREEN_TEST_MAIN(ExplorerTest)
#include "explorer_test.moc"
