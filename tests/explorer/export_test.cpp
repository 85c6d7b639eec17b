// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

// planewall --export-chart: one chart written without a window, from dimensional or
// dimensionless options, with its exit statuses.

#include "export_command.h"
#include "offscreen_test_main.h"

#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <sstream>

using namespace planewall;

class ExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheChart_data();
    void writesTheChart();
    void badOptionsExitTwo_data();
    void badOptionsExitTwo();
    void unwritableFileExitsOne();
    void csvHoldsThePoints();

private:
    int run(const QStringList &arguments);

    QTemporaryDir m_dir;
    std::string m_out, m_err;
};

int ExportTest::run(const QStringList &arguments)
{
    std::ostringstream out, err;
    const int status = runExportCommand(arguments, out, err);
    m_out = out.str();
    m_err = err.str();
    return status;
}

namespace {

const QStringList kSteel
    = {"--L", "50mm", "--material", "steel-plain-carbon", "--h", "500", "--ti", "300C", "--tinf",
       "25C", "--t",  "10min"};

} // namespace

void ExportTest::writesTheChart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");

    QTest::newRow("profile, dimensional, SVG")
        << (QStringList{"--export-chart", "profile"} + kSteel) << "profile.svg" << QSize(800, 600);
    QTest::newRow("history, dimensional, PNG, 640x480")
        << (QStringList{"--export-chart", "history", "--size", "640x480"} + kSteel) << "history.png"
        << QSize(640, 480);
    QTest::newRow("energy with alpha, upper-case extension")
        << QStringList{"--export-chart", "energy",   "--L", "0.05", "--k",  "60.5",
                       "--alpha",        "1.775e-5", "--h", "500",  "--ti", "300",
                       "--tinf",         "25",       "--t", "600"}
        << "energy.PNG" << QSize(800, 600);
    QTest::newRow("profile, dimensionless")
        << QStringList{"--export-chart", "profile", "--bi", "1", "--fo", "0.2", "--x", "0.5"}
        << "dimensionless.svg" << QSize(800, 600);
    QTest::newRow("heisler from Bi alone") << QStringList{"--export-chart", "heisler", "--bi", "1"}
                                           << "heisler-bi.png" << QSize(800, 600);
    QTest::newRow("heisler from h, L and k")
        << QStringList{"--export-chart", "heisler", "--h", "500", "--L", "5cm", "--k", "60.5"}
        << "heisler-hlk.svg" << QSize(800, 600);
    // Smaller than the chart's texts fit in: drawn scaled down, the image as large as asked.
    QTest::newRow("a thumbnail") << QStringList{"--export-chart", "heisler", "--bi", "1",
                                                "--size",         "120x90"}
                                 << "thumbnail.png" << QSize(120, 90);
    QTest::newRow("the extreme sizes")
        << QStringList{"--export-chart", "heisler", "--bi", "1", "--size", "16x20000"}
        << "extreme.svg" << QSize(16, 20000);
}

void ExportTest::writesTheChart()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QString path = m_dir.filePath(file);
    QCOMPARE(run(arguments << "-o" << path), 0);
    QCOMPARE(m_err, std::string());
    if (file.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(QPoint(0, 0), size));
    } else {
        const QImage image(path);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), size);
        // Drawn, not blank: the image holds more than its background colour.
        const QRgb background = image.pixel(0, 0);
        const int step = image.width() * image.height() > 100000 ? 7 : 1;
        int other = 0;
        for (int y = 0; y < image.height(); y += step)
            for (int x = 0; x < image.width(); x += step)
                other += image.pixel(x, y) != background;
        QVERIFY(other > 100);
    }
}

void ExportTest::badOptionsExitTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QStringList out = {"-o", "chart.svg"};
    QTest::newRow("unknown chart")
        << (QStringList{"--export-chart", "pie", "--bi", "1"} + out) << "'pie' is not a chart";
    QTest::newRow("no output") << QStringList{"--export-chart", "heisler", "--bi", "1"}
                               << "--output";
    QTest::newRow("output neither svg nor png")
        << QStringList{"--export-chart", "heisler", "--bi", "1", "-o", "chart.jpg"}
        << "must end in .svg or .png";
    QTest::newRow("size not WxH")
        << (QStringList{"--export-chart", "heisler", "--bi", "1", "--size", "800"} + out)
        << "--size";
    for (const char *size : {"8x8", "15x16", "16x15", "20001x16", "16x20001"}) {
        QTest::addRow("size %s", size)
            << (QStringList{"--export-chart", "heisler", "--bi", "1", "--size", size} + out)
            << "from 16 to 20000";
    }
    QTest::newRow("Bi negative") << (QStringList{"--export-chart", "heisler", "--bi", "-1"} + out)
                                 << "--bi: must be >= 0";
    QTest::newRow("Fo negative")
        << (QStringList{"--export-chart", "profile", "--bi", "1", "--fo", "-1", "--x", "0"} + out)
        << "--fo: must be >= 0";
    QTest::newRow("Fo without Bi")
        << (QStringList{"--export-chart", "profile", "--fo", "1", "--x", "0"} + kSteel + out)
        << "--fo goes with --bi";
    QTest::newRow("unknown option")
        << (QStringList{"--export-chart", "heisler", "--bi", "1", "--colour", "red"} + out)
        << "--colour";
    QTest::newRow("Bi with a dimensional option")
        << (QStringList{"--export-chart", "profile", "--bi", "1", "--fo", "1", "--L", "1"} + out)
        << "--bi takes --fo and --x only";
    QTest::newRow("Bi without Fo")
        << (QStringList{"--export-chart", "history", "--bi", "1"} + out) << "--fo is needed";
    QTest::newRow("x* beyond the face")
        << (QStringList{"--export-chart", "history", "--bi", "1", "--fo", "1", "--x", "2"} + out)
        << "[0, 1]";
    QTest::newRow("no time") << (QStringList{"--export-chart", "profile"} + kSteel.mid(0, 10) + out)
                             << "--t is needed";
    QTest::newRow("a length given in seconds")
        << (QStringList{"--export-chart", "heisler", "--h", "500", "--L", "5s", "--k", "1"} + out)
        << "--L: '5s': 's' is a unit of time";
    QTest::newRow("zero conductivity")
        << (QStringList{"--export-chart", "heisler", "--h", "500", "--L", "5cm", "--k", "0"} + out)
        << "--k: must be a finite number > 0";
    QTest::newRow("x beyond the wall")
        << (QStringList{"--export-chart", "profile"} + kSteel + QStringList{"--x", "6cm"} + out)
        << "--x: must lie in [0, L]";
    QTest::newRow("unknown material")
        << (QStringList{"--export-chart", "profile", "--material", "cheese"} + out)
        << "unknown material 'cheese'";
    QTest::newRow("alpha beside rho")
        << (QStringList{"--export-chart", "profile", "--L", "1", "--k", "1", "--alpha", "1e-5",
                        "--rho", "1000", "--h", "1", "--ti", "1", "--tinf", "0", "--t", "1"}
            + out)
        << "--alpha excludes --rho";
}

void ExportTest::badOptionsExitTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QCOMPARE(run(arguments), 2);
    QVERIFY2(QString::fromStdString(m_err).contains(message), m_err.c_str());
    QVERIFY(
        QString::fromStdString(m_err).contains(QStringLiteral("usage: planewall --export-chart")));
    QVERIFY(!QFile::exists(QStringLiteral("chart.svg")));
}

void ExportTest::unwritableFileExitsOne()
{
    const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/chart.svg"));
    QCOMPARE(run({"--export-chart", "heisler", "--bi", "1", "-o", missing}), 1);
    QVERIFY2(QString::fromStdString(m_err).contains(QStringLiteral("cannot write")), m_err.c_str());
    const QString png = m_dir.filePath(QStringLiteral("fine.png"));
    const QString csv = m_dir.filePath(QStringLiteral("no/such/folder/points.csv"));
    QCOMPARE(run({"--export-chart", "heisler", "--bi", "1", "-o", png, "--csv", csv}), 1);
}

void ExportTest::csvHoldsThePoints()
{
    const QString svg = m_dir.filePath(QStringLiteral("points.svg"));
    const QString csv = m_dir.filePath(QStringLiteral("points.csv"));
    QCOMPARE(
        run({"--export-chart", "profile", "--bi", "1", "--fo", "0.2", "-o", svg, "--csv", csv}), 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.front(), QByteArray("series,x*,\xCE\xB8*\r"));
    // Five curves of 101 points, the header, and the empty piece after the last line end.
    QCOMPARE(lines.size(), 5 * 101 + 2);
    // The curve at Fo = 0.2 starts at the centre with θ* = 0.95064177850546574 (mpmath).
    const int start = 1 + 2 * 101;
    QVERIFY(lines[start].startsWith("Fo = 0.2,0,0.950641778505465"));
}

PLANEWALL_OFFSCREEN_TEST_MAIN(ExportTest)
#include "export_test.moc"
