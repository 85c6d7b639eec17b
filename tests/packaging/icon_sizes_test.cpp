// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// The PNG icons rendered at build time from packaging/planewall.svg: one for each size the
// package installs, as large as the folder it is in says, and the drawing on it, not a blank or
// a colour-swapped image. The window's own icon, painted by QPainter, is the same drawing.

#include "app_icon.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

class IconSizesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachSizeIsTheDrawing_data();
    void eachSizeIsTheDrawing();
    void windowIconIsTheSameDrawing_data();
    void windowIconIsTheSameDrawing();
};

void IconSizesTest::eachSizeIsTheDrawing_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size))) << size;
}

// The colour at a point of the SVG's 64 x 64 grid, on an icon of `size` pixels.
static QColor colourAt(const QImage &image, double x, double y)
{
    const int size = image.width();
    return image.pixelColor(int(x * size / 64), int(y * size / 64));
}

static bool near(const QColor &actual, const QColor &expected, int tolerance)
{
    return qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance
        && qAbs(actual.alpha() - expected.alpha()) <= tolerance;
}

void IconSizesTest::eachSizeIsTheDrawing()
{
    QFETCH(int, size);
    const QString file
        = QStringLiteral(PLANEWALL_ICON_ROOT "/%1x%1/apps/" PLANEWALL_ICON_NAME ".png").arg(size);
    const QImage image(file);
    QVERIFY2(!image.isNull(), qPrintable(file));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());

    // The SVG's colours at points well inside their shapes; small sizes blur the edges more.
    const int tolerance = size < 32 ? 40 : 8;
    const QColor slab(0xc4, 0x66, 0x3c), background(0xe8, 0xf1, 0xf8), arrow(0x2f, 0x6f, 0xb0);
    QVERIFY2(near(colourAt(image, 30, 42), slab, tolerance), "inside the wall, under its arch");
    QVERIFY2(near(colourAt(image, 12, 32), background, tolerance), "between the arrows");
    if (size >= 48) // smaller, no pixel lies wholly on the shaft
        QVERIFY2(near(colourAt(image, 14, 20), arrow, tolerance), "on an arrow's shaft");
    // The rounded corner lets the desktop show through.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void IconSizesTest::windowIconIsTheSameDrawing_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 64})
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size))) << size;
}

// Pixel by pixel against the SVG rendered by Qt Svg: the two renderers antialias edges a little
// differently; a shape moved or scaled differs along its whole edge.
void IconSizesTest::windowIconIsTheSameDrawing()
{
    QFETCH(int, size);
    const QImage svg
        = QImage(QStringLiteral(PLANEWALL_ICON_ROOT "/%1x%1/apps/" PLANEWALL_ICON_NAME ".png")
                     .arg(size))
              .convertToFormat(QImage::Format_ARGB32);
    const QImage painted = planewall::appIcon()
                               .pixmap(QSize(size, size))
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(painted.size(), svg.size());
    double difference = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QColor a = painted.pixelColor(x, y), b = svg.pixelColor(x, y);
            difference += qAbs(a.red() - b.red()) + qAbs(a.green() - b.green())
                + qAbs(a.blue() - b.blue()) + qAbs(a.alpha() - b.alpha());
        }
    }
    const double mean = difference / (4.0 * size * size);
    // Measured 0.19 to 0.30; an end of the arch moved by one unit of the grid gives 0.36 to 0.57.
    QVERIFY2(mean < 0.45, qPrintable(QString::number(mean)));
}

QTEST_MAIN(IconSizesTest)

#include "icon_sizes_test.moc"
