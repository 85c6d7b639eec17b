// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Form1 driven as a user drives it: keys typed into the entry boxes, mouse clicks on the
// commands, the report of a stopped run, what tool tips and assistive technology are told, and
// the ways the program ends.

#include "accessibility_events.h"
#include "failure_report.h"
#include "form1.h"
#include "offscreen_test_main.h"
#include "painted_ink.h"
#include "result_box.h"
#include "static_controls.h"

#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

using namespace planewall;

namespace {

const QString kCopyHelp = QStringLiteral("Ctrl+Shift+C copies all five results.");
// Bi for h = 1e199: every digit of the double nearest 1e199 (Python's int(1e199)), and the
// decimals, in the lines of 60 that a tool tip shows.
const QStringList kBi1e199Lines{
    "100000000000000009720624048853446534497567284804749418558476",
    "576399113005222213392343881775065160077607927566781476738461",
    "526043404284302852957289144712213623699503081464886428463132",
    "31335560438561636352.00",
};
const QString kBi1e199 = kBi1e199Lines.join(QString());

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void windowKeepsItsSize_data();
    void windowKeepsItsSize();
    void everyControlSitsInItsBox_data();
    void everyControlSitsInItsBox();
    void ruleLinesAreDrawnWhereTheyBelong_data();
    void ruleLinesAreDrawnWhereTheyBelong();
    void tabVisitsEntriesThenCommands();
#if PLANEWALL_WITH_EXPLORER
    void explorerLinkReadsTheBoxesByTheCalculatorsRule_data();
    void explorerLinkReadsTheBoxesByTheCalculatorsRule();
    void explorerLinkSitsBesideTheCreditLine();
#endif
    void calculateShowsResults_data();
    void calculateShowsResults();
    void enterAndEscapePressNothing_data();
    void enterAndEscapePressNothing();
    void stoppedRunIsReportedAndWindowStays_data();
    void stoppedRunIsReportedAndWindowStays();
    void defaultReportIsModalMessageBox();
    void pastedMegabyteIsKeptWholeThroughAnError_data();
    void pastedMegabyteIsKeptWholeThroughAnError();
    void thousandClicksGiveTheSameTexts();
    void toolTipsExplainEachResult_data();
    void toolTipsExplainEachResult();
    void ctrlShiftCCopiesAllResults_data();
    void ctrlShiftCCopiesAllResults();
    void resultBoxesAreReadAsText_data();
    void resultBoxesAreReadAsText();
    void inkStaysInsideEveryBox();
    void programEnds_data();
    void programEnds();

private:
    const Form1Controls &controls() const
    {
        return m_form->controls();
    }
    QLineEdit *entry(Entry which) const
    {
        return controls().entry(which);
    }
    ResultBox *result(Slot slot) const
    {
        return controls().result(slot);
    }
    QStringList entryTexts() const;
    QStringList resultTexts() const;
    void type(Entry which, const QString &text);
    void typeAll(const QString &h, const QString &L, const QString &k);
    void clickCalculate();
    QString clickCalculateAndDismissReport();

    std::unique_ptr<Form1> m_form;
};

void Form1Test::initTestCase()
{
    QVERIFY(recordAccessibilityEvents());
}

void Form1Test::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    // A window manager would activate it; an X server without one (xvfb-run) leaves it to us.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    accessibilityEvents().clear();
}

void Form1Test::cleanup()
{
    m_form.reset();
}

QStringList Form1Test::entryTexts() const
{
    QStringList texts;
    for (const QLineEdit *box : controls().entries)
        texts << box->text();
    return texts;
}

QStringList Form1Test::resultTexts() const
{
    QStringList texts;
    for (const ResultBox *box : controls().results)
        texts << box->text();
    return texts;
}

void Form1Test::type(Entry which, const QString &text)
{
    QTest::keyClick(entry(which), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(entry(which), Qt::Key_Delete);
    QTest::keyClicks(entry(which), text);
}

void Form1Test::typeAll(const QString &h, const QString &L, const QString &k)
{
    type(Entry::H, h);
    type(Entry::L, L);
    type(Entry::K, k);
}

void Form1Test::clickCalculate()
{
    QTest::mouseClick(controls().command(Command::Calculate), Qt::LeftButton);
}

void Form1Test::startState()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(entryTexts(), QStringList({"1", "1", "1"}));
    QCOMPARE(resultTexts(), QStringList({"", "", "", "", ""}));
    QCOMPARE(QApplication::focusWidget(), entry(Entry::H));

    // 420 x 419 device-independent pixels, as many screen pixels again per unit of scale.
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QCOMPARE(m_form->size(), QSize(420, 419));
    QCOMPARE(m_form->grab().size(), QSize(420, 419) * scale);
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(m_form->windowFlags() & Qt::WindowCloseButtonHint);

    // Tool tips come in lines a screen can show.
    for (const QWidget *control : m_form->findChildren<QWidget *>()) {
        const QStringList lines = control->toolTip().split(u'\n');
        for (const QString &line : lines)
            QVERIFY2(line.size() <= 60, qPrintable(line));
    }

    // Typing at start replaces the starting text, as it does after Tab.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2.5"));
    QCOMPARE(entry(Entry::H)->text(), QStringLiteral("2.5"));
}

void Form1Test::windowKeepsItsSize_data()
{
    QTest::addColumn<int>("action");

    QTest::newRow("shrunk to 250 x 200") << 0;
    QTest::newRow("maximised") << 1;
    QTest::newRow("full screen") << 2;
}

void Form1Test::windowKeepsItsSize()
{
    QFETCH(int, action);

    if (action == 0)
        m_form->resize(250, 200);
    else if (action == 1)
        m_form->showMaximized();
    else
        m_form->showFullScreen();
    QTest::qWait(50);

    QCOMPARE(m_form->size(), QSize(420, 419));
    QCOMPARE(m_form->minimumSize(), QSize(420, 419));
    QCOMPARE(m_form->maximumSize(), QSize(420, 419));
}

void Form1Test::tabVisitsEntriesThenCommands()
{
    // Clicking a result box gives it the focus, but Tab must never land on one.
    QTest::mouseClick(result(Slot::Zeta2), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), result(Slot::Zeta2));
    entry(Entry::H)->setFocus(Qt::OtherFocusReason);

    QList<QWidget *> expected
        = {entry(Entry::L), entry(Entry::K), controls().command(Command::Calculate),
           controls().command(Command::Quit)};
#if PLANEWALL_WITH_EXPLORER
    // The link to the explorer comes after the design's five.
    expected << controls().explorerLink;
#endif
    expected << entry(Entry::H);
    QList<QWidget *> visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited, expected);
}

void Form1Test::everyControlSitsInItsBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box"); // in pixels

    // The form's boxes in twips (left, top, width, height), 15 to the pixel.
    const struct
    {
        const char *name;
        int twips[4];
    } rows[] = {
        {"Label1", {120, 0, 6015, 975}},       {"Label2(0)", {720, 1440, 375, 375}},
        {"Label3(0)", {1200, 1440, 255, 255}}, {"Label4", {1560, 1200, 495, 375}},
        {"Label5(0)", {1680, 1800, 255, 375}}, {"Label6(0)", {3480, 1440, 255, 495}},
        {"Label8(0)", {3720, 1680, 135, 255}}, {"Label7", {3840, 1500, 615, 375}},
        {"Label6(1)", {4440, 1440, 255, 495}}, {"Label8(1)", {4680, 1680, 135, 255}},
        {"Label3(1)", {4800, 1560, 255, 255}}, {"Label2(1)", {5160, 1500, 375, 375}},
        {"Label5(3)", {120, 2520, 615, 375}},  {"Text_h", {840, 2520, 1500, 500}},
        {"Label5(2)", {120, 3180, 615, 375}},  {"Text_L", {840, 3240, 1500, 500}},
        {"Label5(1)", {120, 3840, 615, 375}},  {"Text_k", {840, 3960, 1500, 500}},
        {"Label2(2)", {3480, 2400, 375, 375}}, {"Label3(2)", {3960, 2400, 255, 255}},
        {"Label_bi", {4320, 2400, 1335, 405}}, {"Label6(2)", {3480, 2880, 255, 495}},
        {"Label8(2)", {3720, 3120, 135, 255}}, {"Label3(3)", {3960, 2880, 255, 255}},
        {"Label_z1", {4320, 2880, 1335, 405}}, {"Label6(3)", {3480, 3360, 255, 495}},
        {"Label8(3)", {3720, 3600, 135, 255}}, {"Label3(4)", {3960, 3360, 255, 255}},
        {"Label_z2", {4320, 3360, 1335, 405}}, {"Label6(4)", {3480, 3840, 255, 495}},
        {"Label8(4)", {3720, 4080, 135, 255}}, {"Label3(5)", {3960, 3840, 255, 255}},
        {"Label_z3", {4320, 3840, 1335, 405}}, {"Label6(5)", {3480, 4320, 255, 495}},
        {"Label8(5)", {3720, 4560, 135, 255}}, {"Label3(6)", {3960, 4320, 255, 255}},
        {"Label_z4", {4320, 4320, 1335, 405}}, {"Command1", {360, 5040, 1800, 735}},
        {"Command2", {3840, 5040, 1800, 735}}, {"Label_ostrel", {4800, 6000, 1215, 255}},
    };
    for (const auto &row : rows) {
        const auto px = [&row](int i) { return qRound(row.twips[i] / 15.0); };
        QTest::newRow(row.name) << QString::fromLatin1(row.name)
                                << QRect(px(0), px(1), px(2), px(3));
    }
}

void Form1Test::everyControlSitsInItsBox()
{
    QFETCH(QString, name);
    QFETCH(QRect, box);
    const QList<QWidget *> named = m_form->findChildren<QWidget *>(name);
    QCOMPARE(named.size(), 1);
    QCOMPARE(named.front()->geometry(), box);
}

void Form1Test::ruleLinesAreDrawnWhereTheyBelong_data()
{
    // Each rule's ends and row in pixels: the window's twips over 15.
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("row");

    QTest::newRow("under the title") << 0 << 424 << 72;
    QTest::newRow("fraction bar of hL/k") << 104 << 136 << 112;
    QTest::newRow("above the entries, drawn right to left") << 0 << 424 << 152;
    QTest::newRow("above the commands") << 0 << 424 << 328;
}

void Form1Test::ruleLinesAreDrawnWhereTheyBelong()
{
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, row);

    const QImage image = m_form->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const int background = qGray(m_form->palette().color(QPalette::Window).rgb());
    const auto inked = [&](int x, int y) {
        return qAbs(qGray(image.pixel(qFloor(x * scale), qFloor(y * scale))) - background) > 60;
    };
    const int end = qMin(right, m_form->width()) - 2;
    for (int x = left + 1; x <= end; ++x)
        QVERIFY2(inked(x, row), qPrintable(QStringLiteral("x = %1").arg(x)));
    // A line one pixel thick: the rows beside it are clear at its middle.
    QVERIFY(!inked((left + end) / 2, row - 1));
    QVERIFY(!inked((left + end) / 2, row + 1));
}

#if PLANEWALL_WITH_EXPLORER
void Form1Test::explorerLinkReadsTheBoxesByTheCalculatorsRule_data()
{
    QTest::addColumn<QStringList>("boxes"); // h, L, k as typed
    QTest::addColumn<QList<double>>("values"); // NaN where the box cannot be read
    QTest::addColumn<bool>("byKeyboard");

    const double unread = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("decimal comma reads 1, letters 0, by mouse")
        << QStringList{"1,5", "2", "abc"} << QList<double>{1, 2, 0} << false;
    QTest::newRow("beyond the range stays text, by keyboard")
        << QStringList{"1e999", " 0.5", "3 W/mK"} << QList<double>{unread, 0.5, 3} << true;
    QTest::newRow("empty is 0, underflow 0, exponent of a long number")
        << QStringList{"", "1e-400", "12345678901234567890e-19"}
        << QList<double>{0, 0, 1.234567890123456789} << false;
}

void Form1Test::explorerLinkReadsTheBoxesByTheCalculatorsRule()
{
    QFETCH(QStringList, boxes);
    QFETCH(QList<double>, values);
    QFETCH(bool, byKeyboard);
    typeAll(boxes[0], boxes[1], boxes[2]);

    std::optional<std::array<CalculatorBox, 3>> asked;
    connect(m_form.get(), &Form1::explorerRequested, this,
            [&asked](const std::array<CalculatorBox, 3> &hLk) { asked = hLk; });
    QLabel *link = controls().explorerLink;
    if (byKeyboard) {
        controls().command(Command::Quit)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        QTest::keyClick(link, Qt::Key_Return);
    } else {
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
    }
    QVERIFY(asked);
    for (int i = 0; i < 3; ++i) {
        const CalculatorBox &box = (*asked)[static_cast<std::size_t>(i)];
        if (std::isnan(values[i])) {
            QVERIFY(!box.value);
            QCOMPARE(QString::fromStdString(box.text), boxes[i]);
        } else {
            QVERIFY(box.value);
            QCOMPARE(*box.value, values[i]);
        }
    }
    // Nothing in the calculator changed.
    QCOMPARE(entryTexts(), boxes);
    QCOMPARE(resultTexts(), QStringList({"", "", "", "", ""}));
}

void Form1Test::explorerLinkSitsBesideTheCreditLine()
{
    QLabel *link = controls().explorerLink;
    QCOMPARE(link->font(), styleFont(TextStyle::Default));
    QCOMPARE(link->geometry(), QRect(8, 400, 192, 17));
    QCOMPARE(link->accessibleName(), QStringLiteral("Temperatures and charts"));
    const QWidget *credit = m_form->findChild<QWidget *>(QStringLiteral("Label_ostrel"));
    QVERIFY(credit);
    QVERIFY(!link->geometry().intersects(credit->geometry()));
    // The whole caption fits its box in the font it is drawn in.
    const QFontMetrics metrics(link->font());
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("Temperatures and charts\u2026"))
            <= link->contentsRect().width());
    QVERIFY(metrics.height() <= link->height());
}
#endif

void Form1Test::calculateShowsResults_data()
{
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("L");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("starting texts 1, 1, 1")
        << "1"
        << "1"
        << "1" << QStringList{"1.00", "0.8603", "3.4256", "6.4373", "9.5293"};
    QTest::newRow("h 2.5") << "2.5"
                           << "1"
                           << "1" << QStringList{"2.50", "1.1422", "3.7318", "6.6431", "9.6776"};
    QTest::newRow("h empty reads as 0")
        << ""
        << "1"
        << "1" << QStringList{"0.00", "0.0008", "3.1416", "6.2832", "9.4248"};
    QTest::newRow("h 4.99, root 1 no longer the second root")
        << "4.99"
        << "1"
        << "1" << QStringList{"4.99", "1.3134", "4.0327", "6.9087", "9.8920"};
    QTest::newRow("h 1000, no digit grouping")
        << "1000"
        << "1"
        << "1" << QStringList{"1000.00", "1.5692", "4.7077", "7.8461", "10.9846"};
    // Tells L from k: swapped, Bi would be 2.
    QTest::newRow("L 2, k 4") << "1"
                              << "2"
                              << "4" << QStringList{"0.50", "0.6533", "3.2923", "6.3616", "9.4775"};
    QTest::newRow("h 1e20, a Bi wider than its box")
        << "1e20"
        << "1"
        << "1" << QStringList{"100000000000000000000.00", "1.5708", "4.7124", "7.8540", "10.9956"};
}

void Form1Test::calculateShowsResults()
{
    QFETCH(QString, h);
    QFETCH(QString, L);
    QFETCH(QString, k);
    QFETCH(QStringList, results);

    typeAll(h, L, k);
    clickCalculate();

    QCOMPARE(resultTexts(), results);
    QCOMPARE(entryTexts(), QStringList({h, L, k}));
}

void Form1Test::enterAndEscapePressNothing_data()
{
    QTest::addColumn<Entry>("which");
    QTest::addColumn<int>("key");

    QTest::newRow("Return in Text_h") << Entry::H << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in Text_L") << Entry::L << int(Qt::Key_Enter);
    QTest::newRow("Escape in Text_k") << Entry::K << int(Qt::Key_Escape);
    QTest::newRow("Escape in Text_h") << Entry::H << int(Qt::Key_Escape);
}

void Form1Test::enterAndEscapePressNothing()
{
    QFETCH(Entry, which);
    QFETCH(int, key);

    entry(which)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(entry(which), Qt::Key(key));

    QCOMPARE(resultTexts(), QStringList({"", "", "", "", ""}));
    QCOMPARE(entryTexts(), QStringList({"1", "1", "1"}));
    QVERIFY(m_form->isVisible());
}

void Form1Test::stoppedRunIsReportedAndWindowStays_data()
{
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("L");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("message");

    QTest::newRow("k 0") << "1"
                         << "1"
                         << "0"
                         << "Division by zero, because k is 0.";
    QTest::newRow("h times L beyond the range")
        << "1e200"
        << "1e200"
        << "1" << QString::fromUtf8("Overflow, because h·L is too large.");
    QTest::newRow("Bi beyond the range")
        << "1e300"
        << "1"
        << "1e-300" << QString::fromUtf8("Overflow, because Bi = h·L/k is too large.");
    QTest::newRow("text of L beyond the range")
        << "1"
        << "1e400"
        << "1"
        << "Overflow, because the number in L is beyond the range "
           "of numbers.";
}

void Form1Test::stoppedRunIsReportedAndWindowStays()
{
    QFETCH(QString, h);
    QFETCH(QString, L);
    QFETCH(QString, k);
    QFETCH(QString, message);

    QStringList reports;
    m_form->setErrorReport([&](QWidget *window, const ArithmeticError &error) {
        QCOMPARE(window, m_form.get());
        reports << failureMessage(error);
    });
    clickCalculate();
    const QStringList before = resultTexts();

    typeAll(h, L, k);
    clickCalculate();

    QCOMPARE(reports, QStringList{message});
    QVERIFY(m_form->isVisible());
    QCOMPARE(entryTexts(), QStringList({h, L, k}));
    QCOMPARE(resultTexts(), before);
}

QString Form1Test::clickCalculateAndDismissReport()
{
    QString shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            QVERIFY(box->isModal() && box->parentWidget() == m_form.get());
            box->accept();
        }
    });
    closer.start(20);
    clickCalculate(); // returns once the box is dismissed
    closer.stop();
    return shown;
}

void Form1Test::defaultReportIsModalMessageBox()
{
    clickCalculate();
    type(Entry::K, QStringLiteral("0"));

    const QString shown = clickCalculateAndDismissReport();
    QVERIFY(shown.contains(QStringLiteral("division by zero"), Qt::CaseInsensitive));
    QVERIFY(shown.contains(QStringLiteral("k is 0")));
    QVERIFY(m_form->isVisible());
    QCOMPARE(entryTexts(), QStringList({"1", "1", "0"}));
    QCOMPARE(resultTexts(), QStringList({"1.00", "0.8603", "3.4256", "6.4373", "9.5293"}));

    // The focus comes back, and typing then calculating gives what it gives at start.
    entry(Entry::K)->setFocus(Qt::OtherFocusReason);
    type(Entry::K, QStringLiteral("1"));
    type(Entry::H, QStringLiteral("2.5"));
    clickCalculate();
    QCOMPARE(resultTexts(), QStringList({"2.50", "1.1422", "3.7318", "6.6431", "9.6776"}));
}

void Form1Test::pastedMegabyteIsKeptWholeThroughAnError_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expectedBi");

    const int megabyte = 1 << 20;
    QTest::newRow("digits: beyond the double range")
        << QString(megabyte, QLatin1Char('7')) << QString(); // an overflow: no Bi
    QTest::newRow("zeros after the point")
        << QStringLiteral("0.") + QString(megabyte, QLatin1Char('0')) + QStringLiteral("1")
        << QStringLiteral("0.00");
    QTest::newRow("letters") << QString(megabyte, QLatin1Char('x')) << QStringLiteral("0.00");
}

void Form1Test::pastedMegabyteIsKeptWholeThroughAnError()
{
    QFETCH(QString, pasted);
    QFETCH(QString, expectedBi);

    QStringList reports;
    m_form->setErrorReport(
        [&](QWidget *, const ArithmeticError &error) { reports << failureMessage(error); });
    QLineEdit *h = entry(Entry::H);
    h->selectAll();
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(h, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h->text().size(), pasted.size());

    clickCalculate();
    QCOMPARE(h->text(), pasted);
    QCOMPARE(reports.size(), expectedBi.isEmpty() ? 1 : 0);
    QCOMPARE(result(Slot::Bi)->text(), expectedBi);
}

void Form1Test::thousandClicksGiveTheSameTexts()
{
    type(Entry::H, QStringLiteral("4.99"));
    const QStringList expected{"4.99", "1.3134", "4.0327", "6.9087", "9.8920"};
    for (int click = 0; click < 1000; ++click) {
        clickCalculate();
        if (resultTexts() != expected)
            QFAIL(qPrintable(QStringLiteral("click %1 gave %2")
                                 .arg(click + 1)
                                 .arg(resultTexts().join(QLatin1Char(' ')))));
    }
    QCOMPARE(entryTexts(), QStringList({"4.99", "1", "1"}));
}

void Form1Test::toolTipsExplainEachResult_data()
{
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("k");
    QTest::addColumn<Slot>("slot");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("Bi, with the numbers read: 1,5 read as 1")
        << "1,5"
        << "2e1" << Slot::Bi << QStringList{"0.05", "from h = 1, L = 1, k = 20 as read", kCopyHelp};
    QTest::newRow("Bi of 200 digits, broken every 60")
        << "1e199"
        << "1" << Slot::Bi
        << kBi1e199Lines + QStringList{"from h = 1e+199, L = 1, k = 1 as read", kCopyHelp};
    // ζ1 shows the search's last step, which at Bi 0 stops short of the double root at 0.
    QTest::newRow("zeta 1 at Bi 0")
        << ""
        << "1" << Slot::Zeta1 << QStringList{"0.0008 shown; the root is 0", kCopyHelp};
    QTest::newRow("zeta 1 at Bi 1")
        << "1"
        << "1" << Slot::Zeta1 << QStringList{"0.8603 shown; the root is 0.860333589", kCopyHelp};
    QTest::newRow("zeta 4 at Bi 1")
        << "1"
        << "1" << Slot::Zeta4 << QStringList{"9.5293 shown; the root is 9.529334405", kCopyHelp};
    QTest::newRow("zeta 1 at Bi -1")
        << "-1"
        << "1" << Slot::Zeta1 << QStringList{"2.7984 shown; the root is 2.798386046", kCopyHelp};
    QTest::newRow("zeta 2 at Bi -1")
        << "-1"
        << "1" << Slot::Zeta2 << QStringList{"6.1213 shown; the root is 6.121250467", kCopyHelp};
}

void Form1Test::toolTipsExplainEachResult()
{
    QFETCH(QString, h);
    QFETCH(QString, k);
    QFETCH(Slot, slot);
    QFETCH(QStringList, lines);

    QCOMPARE(result(slot)->toolTip(), kCopyHelp);
    QCOMPARE(QAccessible::queryAccessibleInterface(result(slot))->text(QAccessible::Description),
             kCopyHelp);
    typeAll(h, QStringLiteral("1"), k);
    clickCalculate();
    QCOMPARE(result(slot)->toolTip(), lines.join(u'\n'));
    // Only the tool tip is broken into lines.
    QCOMPARE(result(slot)->text().contains(u'\n'), false);

    // A run stopped before any result leaves every text and what is said of it as they were.
    m_form->setErrorReport([](QWidget *, const ArithmeticError &) {});
    type(Entry::K, QStringLiteral("0"));
    clickCalculate();
    QCOMPARE(result(slot)->toolTip(), lines.join(u'\n'));
}

void Form1Test::ctrlShiftCCopiesAllResults_data()
{
    QTest::addColumn<QString>("h");
    QTest::addColumn<bool>("calculate");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("line");

    QTest::newRow("at start, from Text_h: empty fields")
        << "1" << false << "h"
        << "Bi\t\tzeta1\t\tzeta2\t\tzeta3\t\tzeta4\t";
    QTest::newRow("after 1, 1, 1, from Text_k")
        << "1" << true << "k"
        << "Bi\t1.00\tzeta1\t0.8603\tzeta2\t3.4256\tzeta3\t6.4373\tzeta4\t9.5293";
    QTest::newRow("from Calculate")
        << "2.5" << true << "Calculate"
        << "Bi\t2.50\tzeta1\t1.1422\tzeta2\t3.7318\tzeta3\t6.6431\tzeta4\t9.6776";
    QTest::newRow("from Quit: a 200-digit Bi unbroken")
        << "1e199" << true << "Quit"
        << "Bi\t" + kBi1e199 + "\tzeta1\t1.5708\tzeta2\t4.7124\tzeta3\t7.8540\tzeta4\t10.9956";
    QTest::newRow("from a clicked result box")
        << "-1" << true << "zeta2"
        << "Bi\t-1.00\tzeta1\t2.7984\tzeta2\t6.1213\tzeta3\t9.3179\tzeta4\t12.4865";
}

void Form1Test::ctrlShiftCCopiesAllResults()
{
    QFETCH(QString, h);
    QFETCH(bool, calculate);
    QFETCH(QString, from);
    QFETCH(QString, line);

    type(Entry::H, h);
    if (calculate)
        clickCalculate();
    QWidget *target = from == "h" ? entry(Entry::H)
        : from == "k"             ? entry(Entry::K)
        : from == "Calculate"     ? controls().command(Command::Calculate)
        : from == "Quit"          ? controls().command(Command::Quit)
                                  : static_cast<QWidget *>(result(Slot::Zeta2));
    if (from == "zeta2")
        QTest::mouseClick(target, Qt::LeftButton);
    else
        target->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), target);

    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::clipboard()->text(), line);
    QCOMPARE(entryTexts(), QStringList({h, "1", "1"})); // nothing typed
}

void Form1Test::resultBoxesAreReadAsText_data()
{
    QTest::addColumn<QString>("k");
    QTest::addColumn<int>("announced");

    QTest::newRow("a run that ends") << "1" << 5;
    QTest::newRow("a run stopped before any result") << "0" << 0;
}

void Form1Test::resultBoxesAreReadAsText()
{
    QFETCH(QString, k);
    QFETCH(int, announced);

    // h 0: ζ1 takes 11 Newton steps, the others several each; only the end is announced.
    type(Entry::H, QStringLiteral("0"));
    clickCalculate();
    const QStringList first = resultTexts();
    QCOMPARE(first, QStringList({"0.00", "0.0008", "3.1416", "6.2832", "9.4248"}));

    m_form->setErrorReport([](QWidget *, const ArithmeticError &) {});
    type(Entry::H, QStringLiteral("1"));
    type(Entry::K, k);
    accessibilityEvents().clear();
    clickCalculate();

    QList<QObject *> announcedBoxes;
    for (const AccessibilityEvent &event : std::as_const(accessibilityEvents())) {
        auto *box = qobject_cast<ResultBox *>(event.object.data());
        if (!box)
            continue;
        QCOMPARE(event.type, QAccessible::TextUpdated);
        const auto index = std::ranges::find(controls().results, box) - controls().results.begin();
        QCOMPARE(event.removed, first.at(index));
        QCOMPARE(event.inserted, box->text());
        announcedBoxes << box;
    }
    QCOMPARE(announcedBoxes.size(), announced);
    if (announced > 0)
        QCOMPARE(QSet(announcedBoxes.begin(), announcedBoxes.end()).size(), announced);

    const char *const names[] = {"Bi", "zeta 1", "zeta 2", "zeta 3", "zeta 4"};
    for (std::size_t i = 0; i < kAllSlots.size(); ++i) {
        ResultBox *box = controls().results[i];
        QAccessibleInterface *readOut = QAccessible::queryAccessibleInterface(box);
        QVERIFY(readOut);
        QCOMPARE(readOut->role(), QAccessible::StaticText);
        QCOMPARE(readOut->text(QAccessible::Name), QString::fromLatin1(names[i]));
        QVERIFY(readOut->state().readOnly);
        QAccessibleTextInterface *text = readOut->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), box->text().size());
        QCOMPARE(text->text(0, text->characterCount()), box->text());
        QCOMPARE(text->text(1, 3), box->text().mid(1, 2));
        QCOMPARE(readOut->text(QAccessible::Value), box->text());
        QVERIFY(readOut->text(QAccessible::Description).endsWith(kCopyHelp));
        // A reader's selection is always the whole value, as a click makes it.
        int start = -1, end = -1;
        QCOMPARE(text->selectionCount(), 0);
        text->addSelection(1, 2);
        QCOMPARE(text->selectionCount(), 1);
        text->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, int(box->text().size())));
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
        text->selection(0, &start, &end);
        QCOMPARE(end, 0);
    }
    QCOMPARE(result(Slot::Zeta1)->text(), announced ? QStringLiteral("0.8603") : "0.0008");
}

void Form1Test::inkStaysInsideEveryBox()
{
    const QList<StaticText *> labels = m_form->findChildren<StaticText *>();
    QCOMPARE(labels.size(), 30);
    for (const StaticText *label : labels) {
        const QRect box(QPoint(0, 0), label->size());
        const QRect painted = paintedInk(
            label->size(), [label](QPainter &painter) { label->drawCaption(painter); });
        const QByteArray what = label->objectName().toUtf8() + " \"" + label->caption().toUtf8()
            + "\" in " + QByteArray::number(box.width()) + "x" + QByteArray::number(box.height());
        QVERIFY2(!painted.isEmpty(), what.constData());
        QVERIFY2(box.contains(label->fitted().ink()), what.constData());
        QVERIFY2(label->fitted().ink().contains(painted), what.constData());
        // The form was drawn for Verdana, which Debian does not have; DejaVu Sans takes its
        // place there, and every caption fits at its own size in it. A caption drawn smaller
        // in DejaVu Sans means a box or a size of the table went wrong.
        if (QFontInfo(label->font()).family() == QStringLiteral("DejaVu Sans"))
            QVERIFY2(label->fitted().font().pixelSize() == label->font().pixelSize(),
                     what.constData());
    }

    for (const QPushButton *button : controls().commands) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents
            = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        option.rect = contents;
        const QRect painted = paintedInk(button->size(), [&](QPainter &painter) {
            painter.setFont(button->font());
            button->style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, button);
        });
        QVERIFY2(!painted.isEmpty(), qPrintable(button->text()));
        QVERIFY2(contents.contains(painted), qPrintable(button->text()));
    }
}

void Form1Test::programEnds_data()
{
    QTest::addColumn<bool>("calculateFirst");
    QTest::addColumn<bool>("byQuit");

    QTest::newRow("Quit at start") << false << true;
    QTest::newRow("Quit right after a calculation") << true << true;
    QTest::newRow("close command") << false << false;
    QTest::newRow("close command after a calculation") << true << false;
}

void Form1Test::programEnds()
{
    QFETCH(bool, calculateFirst);
    QFETCH(bool, byQuit);

    if (calculateFirst)
        clickCalculate();
    QTimer::singleShot(0, m_form.get(), [&] {
        if (byQuit)
            QTest::mouseClick(controls().command(Command::Quit), Qt::LeftButton);
        else
            m_form->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);

    QCOMPARE(QCoreApplication::exec(), 0);
}

PLANEWALL_OFFSCREEN_TEST_MAIN(Form1Test)

#include "form1_test.moc"
