// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The calculator and the explorer together, as the program wires them: the link loads the
// explorer plugin (the one the build made) and hands it the calculator's boxes; Escape closes
// the explorer beside the calculator, closing the calculator ends the program, and a plugin that
// cannot be loaded is explained.

#include "explorer_launcher.h"
#include "form1.h"
#include "offscreen_test_main.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

using namespace planewall;

class ExplorerLaunchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void linkOpensTheExplorerWithTheBoxes();
    void escapeClosesItAndTheLinkBringsItBack();
    void closingEndsTheProgramOnlyFromTheCalculator_data();
    void closingEndsTheProgramOnlyFromTheCalculator();
    void aMissingPluginIsExplained();

private:
    void clickLink();
    QWidget *explorer() const;
    QLineEdit *explorerField(const QString &name) const;

    std::unique_ptr<ExplorerLauncher> m_launcher;
    std::unique_ptr<Form1> m_form;
};

void ExplorerLaunchTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void ExplorerLaunchTest::init()
{
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                  + QStringLiteral("/explorer.conf"));
    m_launcher = std::make_unique<ExplorerLauncher>(QStringLiteral(PLANEWALL_TEST_EXPLORER_PLUGIN));
    m_form = std::make_unique<Form1>();
    offerExplorer(*m_form, *m_launcher);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void ExplorerLaunchTest::cleanup()
{
    m_form.reset();
    m_launcher.reset();
}

void ExplorerLaunchTest::clickLink()
{
    QLabel *link = m_form->controls().explorerLink;
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
}

QWidget *ExplorerLaunchTest::explorer() const
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == QStringLiteral("planewall explorer"))
            return w;
    }
    return nullptr;
}

// The plugin's widgets are its own classes; the test finds them as a screen reader does, by
// their accessible names.
QLineEdit *ExplorerLaunchTest::explorerField(const QString &name) const
{
    for (QLineEdit *edit : explorer()->findChildren<QLineEdit *>()) {
        if (edit->accessibleName() == name)
            return edit;
    }
    return nullptr;
}

void ExplorerLaunchTest::linkOpensTheExplorerWithTheBoxes()
{
    const QList<QLineEdit *> boxes
        = {m_form->controls().entry(Entry::H), m_form->controls().entry(Entry::L),
           m_form->controls().entry(Entry::K)};
    const QStringList typed = {"25", "1e999", "0,5"};
    for (int i = 0; i < 3; ++i) {
        boxes[i]->selectAll();
        QTest::keyClicks(boxes[i], typed[i]);
    }
    QVERIFY(!explorer());
    clickLink();
    QWidget *window = explorer();
    QVERIFY(window && window->isVisible());
    QCOMPARE(explorerField(QStringLiteral("Heat transfer coefficient h"))->text(),
             QStringLiteral("25"));
    QCOMPARE(explorerField(QStringLiteral("Half-thickness L"))->text(), QStringLiteral("1e999"));
    // "0,5" reads 0 by the calculator's rule; the explorer shows what the calculator read.
    QCOMPARE(explorerField(QStringLiteral("Conductivity k"))->text(), QStringLiteral("0"));
    for (QComboBox *unit : window->findChildren<QComboBox *>()) {
        if (unit->accessibleName() == QStringLiteral("Unit of Half-thickness L"))
            QCOMPARE(unit->currentText(), QStringLiteral("m"));
    }
    // The calculator is as it was, and still there.
    QVERIFY(m_form->isVisible());
    QCOMPARE(boxes[1]->text(), QStringLiteral("1e999"));
}

void ExplorerLaunchTest::escapeClosesItAndTheLinkBringsItBack()
{
    clickLink();
    QWidget *window = explorer();
    QVERIFY(window);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(explorerField(QStringLiteral("Time t")), Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    QVERIFY(m_form->isVisible());

    m_form->controls().entry(Entry::H)->setText(QStringLiteral("40"));
    clickLink();
    QCOMPARE(explorer(), window); // the same window, forward again
    QVERIFY(window->isVisible());
    QCOMPARE(explorerField(QStringLiteral("Heat transfer coefficient h"))->text(),
             QStringLiteral("40"));
}

void ExplorerLaunchTest::closingEndsTheProgramOnlyFromTheCalculator_data()
{
    QTest::addColumn<bool>("closeCalculator");
    QTest::addColumn<int>("status");

    // The explorer is still open, yet the program ends.
    QTest::newRow("closing the calculator ends it") << true << 0;
    // The program goes on with the calculator until the test ends it, with its own status.
    QTest::newRow("closing the explorer leaves the calculator") << false << 7;
}

void ExplorerLaunchTest::closingEndsTheProgramOnlyFromTheCalculator()
{
    QFETCH(bool, closeCalculator);
    QFETCH(int, status);

    clickLink();
    QWidget *window = explorer();
    QVERIFY(window && window->isVisible());
    QTimer::singleShot(0, m_form.get(), [&] {
        if (closeCalculator)
            m_form->close();
        else
            window->close();
    });
    QTimer end;
    end.setSingleShot(true);
    connect(&end, &QTimer::timeout, this, [] { QCoreApplication::exit(7); });
    end.start(closeCalculator ? 5000 : 500);
    QCOMPARE(QCoreApplication::exec(), status);
    QCOMPARE(m_form->isVisible(), !closeCalculator);
}

void ExplorerLaunchTest::aMissingPluginIsExplained()
{
    m_form.reset();
    m_launcher
        = std::make_unique<ExplorerLauncher>(QStringLiteral("/nonexistent/planewall_explorer.so"));
    m_form = std::make_unique<Form1>();
    offerExplorer(*m_form, *m_launcher);
    m_form->show();
    QString shown;
    QTimer::singleShot(0, this, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    clickLink();
    QVERIFY2(shown.startsWith(QStringLiteral("The explorer cannot be loaded: ")),
             qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("nonexistent")), qPrintable(shown));
    QVERIFY(m_form->isVisible());
}

PLANEWALL_OFFSCREEN_TEST_MAIN(ExplorerLaunchTest)
#include "explorer_launch_test.moc"
