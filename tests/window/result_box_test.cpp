// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// A result box on its own: how a text too wide for it is drawn, and that the full text is what
// the tool tip shows and a copy gives.

#include "form1_layout.h"
#include "offscreen_test_main.h"
#include "painted_ink.h"
#include "result_box.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

using namespace planewall;

namespace {

// The smallest pixel size at which a result stays easy to read at arm's length: about 10 pt.
constexpr int kSmallestLegiblePixels = 13;

} // namespace

class ResultBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wideTextIsShrunkThenElided_data();
    void wideTextIsShrunkThenElided();
};

void ResultBoxTest::wideTextIsShrunkThenElided_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("fullSize");
    QTest::addColumn<bool>("elided");
    QTest::addColumn<QStringList>("toolTip");

    QTest::newRow("empty") << ""
                           << "" << true << false << QStringList{};
    QTest::newRow("root at full size") << "10.9846"
                                       << "" << true << false << QStringList{"10.9846"};
    QTest::newRow("-1000.00 drawn smaller") << "-1000.00"
                                            << "" << false << false << QStringList{"-1000.00"};
    QTest::newRow("24-character Bi elided")
        << "100000000000000000000.00"
        << "" << false << true << QStringList{"100000000000000000000.00"};
    QTest::newRow("negative 310-digit Bi elided, broken every 60 in the tool tip")
        << QString(u'-') + QString(308, u'9') + QStringLiteral(".00") << "" << false << true
        << QStringList{QString(u'-') + QString(59, u'9'),
                       QString(60, u'9'),
                       QString(60, u'9'),
                       QString(60, u'9'),
                       QString(60, u'9'),
                       QStringLiteral("999999999.00")};
    QTest::newRow("a note in place of the text, wrapped at blanks")
        << "0.05"
        << "0.05\nfrom h = 1.2345678901234567e+200, L = 9.8765432109876543e-200, k = 3 as read"
        << true << false
        << QStringList{"0.05", "from h = 1.2345678901234567e+200, L =",
                       "9.8765432109876543e-200, k = 3 as read"};
}

void ResultBoxTest::wideTextIsShrunkThenElided()
{
    QFETCH(QString, text);
    QFETCH(QString, note);
    QFETCH(bool, fullSize);
    QFETCH(bool, elided);
    QFETCH(QStringList, toolTip);

    // Label_bi as Form1 makes it.
    ResultBox box;
    box.setFont(styleFont(TextStyle::Body));
    box.resize(89, 27);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.setText(text, note);

    const FittedText &drawn = box.fitted();
    const int bodySize = styleFont(TextStyle::Body).pixelSize();
    QCOMPARE(drawn.font().pixelSize() == bodySize, fullSize);
    QVERIFY(drawn.font().pixelSize() >= kSmallestLegiblePixels);
    QCOMPARE(drawn.elided(), elided);
    const QString shown = drawn.shownText();
    QCOMPARE(shown.count(u'…'), elided ? 1 : 0);
    if (elided) {
        // Shortened in the middle: the sign, the leading digits and the decimals stay.
        QVERIFY2(shown.startsWith(text.left(2)), qPrintable(shown));
        QVERIFY2(shown.endsWith(text.right(4)), qPrintable(shown));
    }
    const QRect painted = paintedInk(box.contentsRect().size(),
                                     [&drawn](QPainter &painter) { drawn.draw(painter); });
    QVERIFY(painted.isEmpty() ? text.isEmpty() : drawn.ink().contains(painted));
    QVERIFY(QRect(QPoint(0, 0), box.contentsRect().size()).contains(drawn.ink()) || text.isEmpty());
    QCOMPARE(box.toolTip(), toolTip.join(u'\n'));

    // A click selects the whole value and Ctrl+C copies all of it, unbroken, however it is
    // drawn and whatever the tool tip says.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(&box, Qt::LeftButton);
    QCOMPARE(box.isSelected(), !text.isEmpty());
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             text.isEmpty() ? QStringLiteral("before") : text);
    // So does the context menu's Copy, which names its shortcut.
    QKeySequence menuShortcut;
    bool menuEnabled = false;
    QTimer::singleShot(0, &box, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            menuShortcut = menu->actions().value(0)->shortcut();
            menuEnabled = menu->actions().value(0)->isEnabled();
            menu->close();
        }
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&box, &menuEvent);
    QCOMPARE(menuShortcut, QKeySequence(QKeySequence::Copy));
    QCOMPARE(menuEnabled, !text.isEmpty());

    // In a box wide enough, the same text is drawn whole at the box's own size, whatever
    // that size becomes.
    box.resize(5000, 27);
    QCOMPARE(box.fitted().font().pixelSize(), bodySize);
    QVERIFY(!box.fitted().elided());
    QFont smaller = box.font();
    smaller.setPixelSize(bodySize - 4);
    box.setFont(smaller);
    QCOMPARE(box.fitted().font().pixelSize(), bodySize - 4);
}

PLANEWALL_OFFSCREEN_TEST_MAIN(ResultBoxTest)

#include "result_box_test.moc"
