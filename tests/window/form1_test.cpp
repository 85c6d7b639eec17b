// Form1 driven as a user drives it: keys typed into the entry boxes, mouse clicks on the
// commands, the report of a stopped run, and the ways the program ends.

#include "failure_report.h"
#include "form1.h"
#include "offscreen_test_main.h"
#include "painted_ink.h"
#include "result_box.h"
#include "static_controls.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>

#include <memory>

using namespace planewall;

namespace {

const char *const kEntryNames[] = {"Text_h", "Text_L", "Text_k"};
const char *const kResultNames[] = {"Label_bi", "Label_z1", "Label_z2", "Label_z3", "Label_z4"};

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startState();
    void tabVisitsEntriesThenCommands();
    void calculateShowsResults_data();
    void calculateShowsResults();
    void secondRunGivesSameTexts();
    void enterAndEscapePressNothing_data();
    void enterAndEscapePressNothing();
    void stoppedRunIsReportedAndWindowStays_data();
    void stoppedRunIsReportedAndWindowStays();
    void defaultReportIsModalMessageBox();
    void afterTheReportTheWindowWorksAsAtStart();
    void pastedMegabyteIsKeptWholeThroughAnError_data();
    void pastedMegabyteIsKeptWholeThroughAnError();
    void thousandClicksGiveTheSameTexts();
    void biToolTipShowsNumbersRead();
    void inkStaysInsideEveryBox();
    void programEnds_data();
    void programEnds();

private:
    template<typename Control> Control *control(const char *name) const
    {
        auto *found = m_form->findChild<Control *>(QString::fromLatin1(name));
        if (!found)
            qFatal("Form1 has no control named %s", name);
        return found;
    }
    template<typename Control, std::size_t n> QStringList texts(const char *const (&names)[n]) const
    {
        QStringList texts;
        for (const char *name : names)
            texts << control<Control>(name)->text();
        return texts;
    }
    QStringList entryTexts() const { return texts<QLineEdit>(kEntryNames); }
    QStringList resultTexts() const { return texts<ResultBox>(kResultNames); }
    void type(const char *entryName, const QString &text);
    void clickCalculate();
    QString clickCalculateAndDismissReport();

    std::unique_ptr<Form1> m_form;
};

void Form1Test::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    // A window manager would activate it; an X server without one (xvfb-run) leaves it to us.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void Form1Test::cleanup()
{
    m_form.reset();
}

void Form1Test::type(const char *entryName, const QString &text)
{
    auto *entry = control<QLineEdit>(entryName);
    QTest::keyClick(entry, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(entry, Qt::Key_Delete);
    QTest::keyClicks(entry, text);
}

void Form1Test::clickCalculate()
{
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
}

void Form1Test::startState()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(m_form->size(), QSize(420, 419));
    QCOMPARE(entryTexts(), QStringList({"1", "1", "1"}));
    QCOMPARE(resultTexts(), QStringList({"", "", "", "", ""}));
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("Text_h"));
}

void Form1Test::tabVisitsEntriesThenCommands()
{
    // Clicking a result box gives it the focus, but Tab must never land on one.
    QTest::mouseClick(control<ResultBox>("Label_z2"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), control<ResultBox>("Label_z2"));
    control<QLineEdit>("Text_h")->setFocus(Qt::OtherFocusReason);

    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"Text_L", "Text_k", "Command1", "Command2", "Text_h"}));
}

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

    type("Text_h", h);
    type("Text_L", L);
    type("Text_k", k);
    clickCalculate();

    QCOMPARE(resultTexts(), results);
    QCOMPARE(entryTexts(), QStringList({h, L, k}));
}

void Form1Test::secondRunGivesSameTexts()
{
    type("Text_h", QStringLiteral("2.5"));
    clickCalculate();
    const QStringList first = resultTexts();
    clickCalculate();
    QCOMPARE(resultTexts(), first);
    QCOMPARE(first.at(0), QStringLiteral("2.50"));
}

void Form1Test::enterAndEscapePressNothing_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");

    QTest::newRow("Return in Text_h") << "Text_h" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in Text_L") << "Text_L" << int(Qt::Key_Enter);
    QTest::newRow("Escape in Text_k") << "Text_k" << int(Qt::Key_Escape);
    QTest::newRow("Escape in Text_h") << "Text_h" << int(Qt::Key_Escape);
}

void Form1Test::enterAndEscapePressNothing()
{
    QFETCH(QString, entry);
    QFETCH(int, key);

    auto *box = control<QLineEdit>(entry.toLatin1().constData());
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box, Qt::Key(key));

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

    type("Text_h", h);
    type("Text_L", L);
    type("Text_k", k);
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
    type("Text_k", QStringLiteral("0"));

    const QString shown = clickCalculateAndDismissReport();
    QVERIFY(shown.contains(QStringLiteral("division by zero"), Qt::CaseInsensitive));
    QVERIFY(shown.contains(QStringLiteral("k is 0")));
    QVERIFY(m_form->isVisible());
    QCOMPARE(entryTexts(), QStringList({"1", "1", "0"}));
    QCOMPARE(resultTexts(), QStringList({"1.00", "0.8603", "3.4256", "6.4373", "9.5293"}));
}

void Form1Test::afterTheReportTheWindowWorksAsAtStart()
{
    type("Text_k", QStringLiteral("0"));
    QVERIFY(!clickCalculateAndDismissReport().isEmpty());
    QCOMPARE(resultTexts(), QStringList({"", "", "", "", ""}));

    // The focus comes back, and typing then calculating gives what it gives at start.
    control<QLineEdit>("Text_k")->setFocus(Qt::OtherFocusReason);
    type("Text_k", QStringLiteral("1"));
    type("Text_h", QStringLiteral("2.5"));
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
    auto *h = control<QLineEdit>("Text_h");
    h->selectAll();
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(h, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(h->text().size(), pasted.size());

    clickCalculate();
    QCOMPARE(h->text(), pasted);
    QCOMPARE(reports.size(), expectedBi.isEmpty() ? 1 : 0);
    QCOMPARE(control<ResultBox>("Label_bi")->text(), expectedBi);
}

void Form1Test::thousandClicksGiveTheSameTexts()
{
    type("Text_h", QStringLiteral("4.99"));
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

void Form1Test::biToolTipShowsNumbersRead()
{
    type("Text_h", QStringLiteral("1,5"));
    type("Text_k", QStringLiteral("2e1"));
    clickCalculate();
    QCOMPARE(control<ResultBox>("Label_bi")->toolTip(),
             QStringLiteral("0.05\nfrom h = 1, L = 1, k = 20 as read"));
    QCOMPARE(control<ResultBox>("Label_z1")->toolTip(), control<ResultBox>("Label_z1")->text());

    // A run stopped before Bi leaves Bi and the numbers it came from as they were.
    m_form->setErrorReport([](QWidget *, const ArithmeticError &) {});
    type("Text_k", QStringLiteral("0"));
    clickCalculate();
    QCOMPARE(control<ResultBox>("Label_bi")->toolTip(),
             QStringLiteral("0.05\nfrom h = 1, L = 1, k = 20 as read"));
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
        // The form was laid out for this face: with it, nothing needs drawing smaller.
        if (QFontInfo(label->font()).family() == QStringLiteral("DejaVu Sans"))
            QVERIFY2(label->fitted().font().pixelSize() == label->font().pixelSize(),
                     what.constData());
    }

    const QList<QPushButton *> buttons = m_form->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 2);
    for (const QPushButton *button : buttons) {
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
            QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
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
