// A result box on its own: how a text too wide for it is drawn, and that the full text is what
// the tool tip shows and a copy gives.

#include "form1_layout.h"
#include "offscreen_test_main.h"
#include "painted_ink.h"
#include "result_box.h"

#include <QClipboard>

using namespace planewall;

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
    QTest::addColumn<bool>("fullSize");
    QTest::addColumn<bool>("elided");

    QTest::newRow("empty") << "" << true << false;
    QTest::newRow("root at full size") << "10.9846" << true << false;
    QTest::newRow("-1000.00 drawn smaller") << "-1000.00" << false << false;
    QTest::newRow("24-character Bi elided") << "100000000000000000000.00" << false << true;
    QTest::newRow("negative 310-digit Bi elided")
        << QString(u'-') + QString(308, u'9') + QStringLiteral(".00") << false << true;
}

void ResultBoxTest::wideTextIsShrunkThenElided()
{
    QFETCH(QString, text);
    QFETCH(bool, fullSize);
    QFETCH(bool, elided);

    // Label_bi as Form1 makes it.
    ResultBox box;
    box.setFont(styleFont(TextStyle::Body));
    box.resize(89, 27);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.setText(text);

    const FittedText &drawn = box.fitted();
    const int bodySize = styleFont(TextStyle::Body).pixelSize();
    QCOMPARE(drawn.font().pixelSize() == bodySize, fullSize);
    QVERIFY(drawn.font().pixelSize() >= qCeil(bodySize * FittedText::kSmallestScale));
    QCOMPARE(drawn.elided(), elided);
    QCOMPARE(drawn.shownText().contains(u'…'), elided);
    const QRect painted = paintedInk(box.contentsRect().size(),
                                     [&drawn](QPainter &painter) { drawn.draw(painter); });
    QVERIFY(painted.isEmpty() ? text.isEmpty() : drawn.ink().contains(painted));
    QVERIFY(QRect(QPoint(0, 0), box.contentsRect().size()).contains(drawn.ink()) || text.isEmpty());
    QCOMPARE(box.toolTip(), text);

    // A click selects the whole value and Ctrl+C copies all of it, however it is drawn.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(&box, Qt::LeftButton);
    QCOMPARE(box.isSelected(), !text.isEmpty());
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             text.isEmpty() ? QStringLiteral("before") : text);
}

PLANEWALL_OFFSCREEN_TEST_MAIN(ResultBoxTest)

#include "result_box_test.moc"
