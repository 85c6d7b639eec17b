// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// Writes pictures of the calculator window for a person to look at: at start, after Calculate
// with the starting texts, with results too wide for their boxes, the tool tips of a 200-digit
// Bi and of ζ1 at Bi = 0, the window after a request to maximise it, and with the report of
// k = 0 open over the window. Usage: planewall_window_screenshots OUTPUT_FOLDER [--dark]
// (--dark: in a dark desktop theme, dark_palette.h).
//
// Runs on whatever platform Qt picks (xcb under xvfb-run shows what a user gets); the pictures
// of the report are taken both by compositing the two windows and from the screen itself.

#include "dark_palette.h"
#include "form1.h"
#include "result_box.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <cstdio>

namespace {

QString g_folder;

void save(const QPixmap &picture, const char *name)
{
    const QString path = QDir(g_folder).filePath(QString::fromLatin1(name));
    std::printf("%s %s\n", qPrintable(path), picture.save(path) ? "written" : "NOT written");
}

void type(const planewall::Form1 &form, planewall::Entry box, const QString &text)
{
    QLineEdit *entry = form.controls().entry(box);
    entry->selectAll();
    QTest::keyClick(entry, Qt::Key_Delete);
    QTest::keyClicks(entry, text);
}

void calculate(const planewall::Form1 &form)
{
    QTest::mouseClick(form.controls().command(planewall::Command::Calculate), Qt::LeftButton);
    QTest::qWait(200);
}

// The screen with the tool tip of one result box open, as hovering shows it.
void saveToolTip(const planewall::Form1 &form, planewall::Slot slot, const char *name)
{
    planewall::ResultBox *box = form.controls().result(slot);
    QToolTip::showText(box->mapToGlobal(QPoint(10, 10)), box->toolTip(), box);
    QTest::qWait(300);
    save(form.screen()->grabWindow(0), name);
    QToolTip::hideText();
    QTest::qWait(300);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool dark = argc == 3 && QByteArray(argv[2]) == "--dark";
    if (argc != 2 && !dark) {
        std::fprintf(stderr, "usage: planewall_window_screenshots OUTPUT_FOLDER [--dark]\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    if (dark)
        useDarkPalette();

    planewall::Form1 form;
    form.move(40, 40);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QTest::qWait(300);
    save(form.grab(), "form1-start.png");

    calculate(form);
    save(form.grab(), "form1-1-1-1.png");
    save(form.screen()->grabWindow(0), "screen-1-1-1.png");

    type(form, planewall::Entry::H, QStringLiteral("-1000"));
    calculate(form);
    save(form.grab(), "form1-h-minus-1000.png");

    type(form, planewall::Entry::H, QStringLiteral("1e20"));
    calculate(form);
    save(form.grab(), "form1-h-1e20.png");

    type(form, planewall::Entry::H, QStringLiteral("1e199"));
    calculate(form);
    saveToolTip(form, planewall::Slot::Bi, "screen-bi-1e199-tooltip.png");

    type(form, planewall::Entry::H, QString());
    calculate(form);
    saveToolTip(form, planewall::Slot::Zeta1, "screen-zeta1-bi0-tooltip.png");

    form.showMaximized();
    QTest::qWait(300);
    save(form.screen()->grabWindow(0), "screen-after-maximise.png");

    type(form, planewall::Entry::H, QStringLiteral("1"));
    calculate(form);
    type(form, planewall::Entry::K, QStringLiteral("0"));
    QTimer::singleShot(500, [&form] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            std::printf("no message box open\n");
            return;
        }
        QPixmap both = form.grab();
        QPainter painter(&both);
        painter.drawPixmap(box->frameGeometry().topLeft() - form.geometry().topLeft(), box->grab());
        painter.end();
        save(both, "form1-k0-report.png");
        save(box->grab(), "k0-report.png");
        save(form.screen()->grabWindow(0), "screen-k0-report.png");
        box->accept();
    });
    calculate(form);
    return 0;
}
