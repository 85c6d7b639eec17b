// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "explorer_window.h"

#include "chart_export.h"
#include "chart_page.h"
#include "chart_view.h"
#include "fit_panel.h"
#include "input_panel.h"
#include "results_panel.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#ifndef PLANEWALL_VERSION
#error "PLANEWALL_VERSION is set by the build from the project's version"
#endif

namespace planewall {

namespace {

constexpr const char *kTabTitles[]
    = {"Profile T(x)", "History T(t)", "Energy Q(t)", "Heisler \u03B8*\u2080(Fo)"};
constexpr QSize kDefaultSize(1180, 780);

QString settingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("explorer.conf"));
}

constexpr const char *kHowToRead = R"(
<h3>The wall</h3>
<p>A plane wall of half-thickness <i>L</i>, at T<sub>i</sub> throughout when the fluid at
T<sub>&infin;</sub> begins to act on both faces through the heat transfer coefficient <i>h</i>.
<i>x</i> runs from the mid-plane (x = 0) to the face (x = L). The same holds for a wall of
thickness <i>L</i> insulated on one face.</p>
<p>Two numbers decide its course: the Biot number <b>Bi = hL/k</b>, how much the wall resists
heat against the fluid, and the Fourier number <b>Fo = &alpha;t/L&sup2;</b>, how far heat has
had time to spread. &theta;* = (T &minus; T<sub>&infin;</sub>)/(T<sub>i</sub> &minus;
T<sub>&infin;</sub>) goes from 1 at the start to 0 when the wall has reached the fluid.</p>
<h3>Results</h3>
<p>Every value is exact. Beside it are the two shortcuts of the textbooks, with their error
against the exact value: the <b>one-term</b> approximation (the first term of the series, good
once Fo is above about 0.2) and the <b>lumped</b> one (the whole wall at one temperature,
exp(&minus;Bi&middot;Fo), good while Bi is below about 0.1). Where an error is small for your
purpose, the shortcut would have done.</p>
<h3>Charts</h3>
<ul>
<li><b>Profile</b>: the temperature across the half-wall at a quarter, half, once, twice and
four times the time t.</li>
<li><b>History</b>: the temperature at the centre, at the face and at x over time, with the
target and the solved time marked when solving.</li>
<li><b>Energy</b>: the share Q/Q<sub>0</sub> of its initial energy the wall has given up, exact,
one-term (dashed) and lumped (dotted); with &rho; and c<sub>p</sub> the right axis gives Q
itself per unit area of a face.</li>
<li><b>Heisler</b>: the centre's &theta;* against Fo on logarithmic axes for Bi at a quarter to
four times yours: the chart of the textbooks, drawn from the exact solution, each curve with its
one-term curve dashed.</li>
</ul>
<h3>Fitting h to measured temperatures</h3>
<p>File &rarr; Fit to data reads a file of temperatures against time (a time and a temperature a
line, separated by commas or tabs, under an optional header such as <code>t [min], T [C]</code>;
times without a unit in the unit chosen beside the fit, seconds at first) and fits h to them on
the wall, T<sub>i</sub> and T<sub>&infin;</sub> above, as readings at x, or of the mean when
solving on the mean. The History chart then shows the readings as points and the fitted curve,
with the residuals beneath it; &ldquo;Apply this h&rdquo; puts the fitted h into the inputs. The
fit follows the inputs as the charts do.</p>
<p>Point at a chart to read the values under the cursor. Drag a rectangle to zoom in; Home (or
Chart &rarr; Reset zoom) zooms out again. Click a chart, or reach it with Tab, and Ctrl+C copies
it as an image; the File menu saves it as PNG or SVG and its points as CSV.</p>
<h3>Typing</h3>
<p>Numbers take '.' or ',' as the decimal point, without grouping; the unit is chosen beside
each field, and changing it converts the number. The results and charts follow as you type;
Enter computes at once. A value that cannot be used is explained beside its field, and the
last good results stay, marked out of date.</p>
)";

// The menu bar's first icon makes Qt load every image format plugin to learn the icon file's
// format, a few milliseconds of the window's opening. Loading them on a worker thread while the
// window is built (Qt hands plugin objects to the main thread) leaves the menu bar nothing to
// wait for.
void loadImagePluginsMeanwhile()
{
    QThreadPool::globalInstance()->start([] {
        QByteArray bytes("planewall");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader(&buffer).canRead();
    });
}

} // namespace

ExplorerWindow::ExplorerWindow(QWidget *parent)
    : QMainWindow(parent), m_inputs(nullptr), m_results(new ResultsPanel), m_tabs(new QTabWidget),
      m_historyTab(new QWidget)
{
    loadImagePluginsMeanwhile();
    setWindowTitle(tr("planewall explorer"));
    setObjectName(QStringLiteral("ExplorerWindow"));
    loadSettings();
    m_inputs = new InputPanel(m_form);

    auto *scroll = new QScrollArea;
    scroll->setWidget(m_inputs);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumWidth(m_inputs->minimumSizeHint().width() + 24);

    for (std::size_t i = 0; i < m_charts.size(); ++i) {
        m_charts[i] = new ChartPage;
        // Room for the title, the axes and the legend's five entries unshortened.
        m_charts[i]->setMinimumSize(500, 320);
        if (kChartKinds[i] == ChartKind::History) {
            // The fit's panel goes beneath the chart once there is one.
            auto *column = new QVBoxLayout(m_historyTab);
            column->setContentsMargins(0, 0, 0, 0);
            column->addWidget(m_charts[i], 3);
            m_tabs->addTab(m_historyTab, tr(kTabTitles[i]));
        } else {
            m_tabs->addTab(m_charts[i], tr(kTabTitles[i]));
        }
        connect(m_charts[i], &ChartPage::viewMade, this, [this](ChartView *view) {
            linkTabOrder(view);
            connect(view, &ChartView::copied, this,
                    [this] { statusBar()->showMessage(tr("Chart copied as an image"), 3000); });
        });
    }
    m_tabs->setAccessibleName(tr("Charts"));

    auto *right = new QSplitter(Qt::Vertical);
    right->addWidget(m_tabs);
    right->addWidget(m_results);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 1);
    right->setChildrenCollapsible(false);
    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(scroll);
    split->addWidget(right);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    setCentralWidget(split);

    // The Tab chain in reading order: the inputs down the left, then the charts, then the
    // results beneath them.
    std::vector<QWidget *> chain = m_inputs->tabOrder();
    chain.push_back(m_tabs->tabBar());
    chain.push_back(m_results->table());
    chain.push_back(m_results->copyButton());
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // The menus' titles now, their commands (and shortcuts) once the window is open.
    m_menus = {menuBar()->addMenu(tr("&File")), menuBar()->addMenu(tr("&Chart")),
               menuBar()->addMenu(tr("&Help"))};
    statusBar();

    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &ExplorerWindow::runNow);
    connect(m_inputs, &InputPanel::edited, &m_pause, qOverload<>(&QTimer::start));
    connect(m_inputs, &InputPanel::solveNow, this, &ExplorerWindow::runNow);
    connect(&m_runner, &StudyRunner::finished, this, &ExplorerWindow::present);
    connect(&m_loader, &QFutureWatcher<LoadedReadings>::finished, this,
            &ExplorerWindow::readingsLoaded);
    connect(m_results, &ResultsPanel::copyRequested, this, &ExplorerWindow::copyResults);
    // A chart is made when its tab is first opened.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_opened && index >= 0)
            m_charts[static_cast<std::size_t>(index)]->view();
    });
}

void ExplorerWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_opened)
        return;
    // The rest of the window, its first chart and its first study, once it is on the screen:
    // the window opens without waiting for them. Should it not be exposed (opened minimised),
    // a moment later all the same.
    if (QWindow *window = windowHandle())
        window->installEventFilter(this);
    QTimer::singleShot(kOpeningFallbackMs, this, &ExplorerWindow::finishOpening);
}

bool ExplorerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_opened && watched == windowHandle() && event->type() == QEvent::Expose)
        QTimer::singleShot(0, this, &ExplorerWindow::finishOpening);
    return QMainWindow::eventFilter(watched, event);
}

void ExplorerWindow::finishOpening()
{
    if (m_opened)
        return;
    m_opened = true;
    if (QWindow *window = windowHandle())
        window->removeEventFilter(this);
    fillMenus(m_menus[0], m_menus[1], m_menus[2]);
    m_charts[static_cast<std::size_t>(std::max(0, m_tabs->currentIndex()))]->view();
    runNow();
}

// Also when the program ends with the explorer open (Quit in the calculator), which closes no
// window first.
ExplorerWindow::~ExplorerWindow()
{
    saveSettings();
    // A read cannot be stopped midway; it ends with the file.
    m_loader.waitForFinished();
}

void ExplorerWindow::fillMenus(QMenu *file, QMenu *chart, QMenu *help)
{
    QAction *fit = file->addAction(tr("&Fit to data\u2026"), this, &ExplorerWindow::fitToData);
    fit->setShortcut(QKeySequence::Open);
    fit->setStatusTip(tr("Fits h to temperatures measured in the wall, read from a file"));
    file->addSeparator();
    QAction *saveImage
        = file->addAction(tr("Save chart &image\u2026"), this, &ExplorerWindow::saveChartImage);
    saveImage->setShortcut(QKeySequence::Save);
    QAction *saveData
        = file->addAction(tr("Save chart &data (CSV)\u2026"), this, &ExplorerWindow::saveChartData);
    saveData->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction *copy = file->addAction(tr("&Copy results"), this, &ExplorerWindow::copyResults);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    file->addSeparator();
    QAction *close = file->addAction(tr("C&lose"), this, &QWidget::close);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    QAction *copyChart = chart->addAction(tr("&Copy chart image"), this, [this] {
        QApplication::clipboard()->setPixmap(currentChart()->grab());
        statusBar()->showMessage(tr("Chart copied as an image"), 3000);
    });
    copyChart->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    QAction *reset
        = chart->addAction(tr("&Reset zoom"), this, [this] { currentChart()->resetZoom(); });
    reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    chart->addSeparator();
    for (int i = 0; i < m_tabs->count(); ++i) {
        QAction *go = chart->addAction(tr(kTabTitles[i]), this, [this, i] {
            m_tabs->setCurrentIndex(i);
            m_tabs->currentWidget()->setFocus(Qt::ShortcutFocusReason);
        });
        go->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i)));
    }

    QAction *how = help->addAction(tr("How to &read this"), this, &ExplorerWindow::showHowToRead);
    how->setShortcut(QKeySequence::HelpContents);
    help->addAction(tr("&About planewall explorer"), this, &ExplorerWindow::showAbout);
}

void ExplorerWindow::runNow()
{
    m_pause.stop();
    m_runner.request(m_form.snapshot(), m_readings);
}

// Each chart in the Tab chain between the tab bar and what lies beneath it, where it is read:
// the fit's panel (only ever under the T(t) chart), then the results.
void ExplorerWindow::linkTabOrder(ChartView *view)
{
    setTabOrder(m_tabs->tabBar(), view);
    std::vector<QWidget *> chain = {view};
    if (m_fitPanel) {
        const std::vector<QWidget *> fit = m_fitPanel->tabOrder();
        chain.insert(chain.end(), fit.begin(), fit.end());
    }
    chain.push_back(m_results->table());
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

FitPanel *ExplorerWindow::makeFitPanel()
{
    if (m_fitPanel)
        return m_fitPanel;
    m_fitPanel = new FitPanel(m_historyTab);
    m_fitPanel->hide();
    static_cast<QVBoxLayout *>(m_historyTab->layout())->addWidget(m_fitPanel, 2);
    connect(m_fitPanel, &FitPanel::applyRequested, this, &ExplorerWindow::applyFittedH);
    connect(m_fitPanel, &FitPanel::clearRequested, this, &ExplorerWindow::clearFit);
    connect(m_fitPanel, &FitPanel::plainTimeUnitChosen, this, [this] {
        if (!m_readingsPath.isEmpty())
            fitFile(m_readingsPath);
    });
    connect(m_fitPanel->residualView(), &ChartView::copied, this,
            [this] { statusBar()->showMessage(tr("Chart copied as an image"), 3000); });
    linkTabOrder(chartView(ChartKind::History));
    return m_fitPanel;
}

void ExplorerWindow::fitToData()
{
    const QString folder
        = m_readingsPath.isEmpty() ? QString() : QFileInfo(m_readingsPath).absolutePath();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Fit to data"), folder, tr("Readings (*.csv *.tsv *.txt *.dat);;All files (*)"));
    if (!path.isEmpty())
        fitFile(path);
}

void ExplorerWindow::fitFile(const QString &path)
{
    // Seconds are what plain times are read in anyway; a header's unit then stands.
    const QString plain = makeFitPanel()->plainTimeUnit();
    const std::string timeUnit = plain == QLatin1String("s") ? std::string() : plain.toStdString();
    statusBar()->showMessage(tr("Reading %1\u2026").arg(QDir::toNativeSeparators(path)));
    // On a worker thread: a file on a slow disk or a network share never stops the window.
    m_loader.setFuture(QtConcurrent::run([path, timeUnit] {
        LoadedReadings loaded{path, {}, {}};
        QFile file(path);
        if (QFileInfo(path).isDir()) {
            loaded.message = tr("is a folder, not a file of readings");
            return loaded;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            loaded.message = tr("cannot be opened: %1").arg(file.errorString());
            return loaded;
        }
        // One byte beyond the most a file may hold, for the reader to tell one too big.
        const QByteArray bytes = file.read(static_cast<qint64>(kMaxReadingsBytes) + 1);
        if (file.error() != QFileDevice::NoError) {
            loaded.message = tr("cannot be read: %1").arg(file.errorString());
            return loaded;
        }
        try {
            ReadOptions options;
            options.timeUnit = timeUnit;
            loaded.readings = std::make_shared<const Readings>(readReadings(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                options));
        } catch (const ReadingsError &error) {
            loaded.message = QString::fromStdString(readingsMessage(error));
        } catch (const std::exception &error) {
            loaded.message = tr("cannot be read: %1").arg(QString::fromLocal8Bit(error.what()));
        }
        return loaded;
    }));
}

void ExplorerWindow::readingsLoaded()
{
    const LoadedReadings loaded = m_loader.result();
    const QString name = QFileInfo(loaded.path).fileName();
    if (!loaded.readings) {
        const QString message = tr("%1: %2").arg(name, loaded.message);
        m_fitPanel->showProblem(message);
        m_fitPanel->show();
        statusBar()->showMessage(message, 10000);
        Q_EMIT readingsRead(false);
        return;
    }
    statusBar()->showMessage(
        tr("Read %1 readings from %2").arg(loaded.readings->rows.size()).arg(name), 4000);
    m_readings = loaded.readings;
    m_readingsPath = loaded.path;
    m_tabs->setCurrentIndex(static_cast<int>(ChartKind::History));
    runNow();
    Q_EMIT readingsRead(true);
}

void ExplorerWindow::applyFittedH()
{
    if (!m_shown || !m_shown->fit || !m_shown->fit->result)
        return;
    m_form.putSiValue(Input::H, m_shown->fit->result->h.value);
    m_inputs->refresh();
    statusBar()->showMessage(tr("The fitted h is in the inputs"), 4000);
    runNow();
}

void ExplorerWindow::clearFit()
{
    m_readings.reset();
    m_readingsPath.clear();
    m_fitPanel->clear();
    m_fitPanel->hide();
    statusBar()->showMessage(tr("Fit cleared"), 3000);
    runNow();
}

void ExplorerWindow::present(const Study &study)
{
    m_inputs->showMessages(study.messages);
    if (study.results && study.charts) {
        m_results->showResults(*study.results);
        for (std::size_t i = 0; i < m_charts.size(); ++i) {
            m_charts[i]->setChartData((*study.charts)[i]);
            m_charts[i]->setOutOfDate(false);
        }
        if (m_fitPanel) {
            if (study.fit) {
                m_fitPanel->showFit(QFileInfo(m_readingsPath).fileName(), *study.fit);
                m_fitPanel->show();
            } else if (!m_readings) {
                m_fitPanel->hide();
            }
            m_fitPanel->setApplicable(!solvesForH(m_form.solveFor()));
            m_fitPanel->setOutOfDate(false);
        }
        m_shown = study;
    } else {
        const QString why = study.messages.empty()
            ? QString()
            : QString::fromStdString(fieldMessage(study.messages.front()));
        m_results->setOutOfDate(tr("Out of date: %1").arg(why));
        for (ChartPage *page : m_charts)
            page->setOutOfDate(true);
        if (m_fitPanel)
            m_fitPanel->setOutOfDate(true);
    }
    Q_EMIT studyShown();
}

void ExplorerWindow::takeCalculatorBoxes(const std::array<CalculatorBox, 3> &hLk)
{
    constexpr Input kInputs[] = {Input::H, Input::L, Input::K};
    for (std::size_t i = 0; i < hLk.size(); ++i) {
        if (hLk[i].value)
            m_form.takeSiValue(kInputs[i], *hLk[i].value);
        else
            m_form.takeUnreadText(kInputs[i], hLk[i].text);
    }
    m_inputs->refresh();
    runNow();
}

ChartView *ExplorerWindow::chartView(ChartKind kind) const
{
    return m_charts[static_cast<std::size_t>(kind)]->view();
}

ChartView *ExplorerWindow::currentChart() const
{
    return m_charts[static_cast<std::size_t>(std::max(0, m_tabs->currentIndex()))]->view();
}

void ExplorerWindow::copyResults()
{
    if (!m_shown || !m_shown->results)
        return;
    QApplication::clipboard()->setText(QString::fromStdString(resultsText(*m_shown->results)));
    statusBar()->showMessage(tr("Results copied as text"), 3000);
}

void ExplorerWindow::saveChartImage()
{
    ChartView *view = currentChart();
    const auto kind = static_cast<ChartKind>(m_tabs->currentIndex());
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, tr("Save chart image"),
        QStringLiteral("planewall-%1.png").arg(QString::fromUtf8(chartKey(kind).data())),
        tr("PNG image (*.png);;SVG image (*.svg)"), &filter);
    if (path.isEmpty())
        return;
    std::optional<ImageFormat> format = imageFormatOf(path);
    if (!format) {
        format = filter.contains(QLatin1String("svg")) ? ImageFormat::Svg : ImageFormat::Png;
        path += *format == ImageFormat::Svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    }
    const QString failure = planewall::saveChartImage(*view, path, *format);
    if (!failure.isEmpty())
        QMessageBox::warning(this, tr("Save chart image"), failure);
    else
        statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 4000);
}

void ExplorerWindow::saveChartData()
{
    if (!m_shown || !m_shown->charts)
        return;
    const auto index = static_cast<std::size_t>(m_tabs->currentIndex());
    const ChartKind kind = kChartKinds[index];
    QString path = QFileDialog::getSaveFileName(
        this, tr("Save chart data"),
        QStringLiteral("planewall-%1.csv").arg(QString::fromUtf8(chartKey(kind).data())),
        tr("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    const QString failure = saveChartCsv((*m_shown->charts)[index], path);
    if (!failure.isEmpty())
        QMessageBox::warning(this, tr("Save chart data"), failure);
    else
        statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 4000);
}

void ExplorerWindow::showHowToRead()
{
    auto *dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("How to read the explorer"));
    auto *text = new QTextBrowser(dialog);
    text->setHtml(tr(kHowToRead));
    text->setAccessibleName(tr("How to read the explorer"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(560, 600);
    dialog->show();
}

void ExplorerWindow::showAbout()
{
    QMessageBox::about(
        this, tr("About planewall explorer"),
        tr("<h3>planewall explorer %1</h3>"
           "<p>Transient conduction in a plane wall with convection, solved exactly: "
           "temperatures, energy and the charts of the textbooks, for your own wall.</p>"
           "<p>By Ostrel Venby</p>"
           "<p>Licence: GPL-3.0-or-later. This program comes with no warranty.</p>")
            .arg(QStringLiteral(PLANEWALL_VERSION)));
}

void ExplorerWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_escapeCloses) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void ExplorerWindow::closeEvent(QCloseEvent *event)
{
    saveSettings();
    event->accept();
}

void ExplorerWindow::loadSettings()
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("inputs"));
    m_form.restore([&settings](const std::string &key) -> std::optional<std::string> {
        const QString k = QString::fromStdString(key);
        if (!settings.contains(k))
            return std::nullopt;
        return settings.value(k).toString().toStdString();
    });
    settings.endGroup();
    QSize size = settings.value(QStringLiteral("window/size"), kDefaultSize).toSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size.isValid() ? size : kDefaultSize);
}

void ExplorerWindow::saveSettings() const
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("inputs"));
    m_form.save([&settings](const std::string &key, const std::string &value) {
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    });
    settings.endGroup();
    settings.setValue(QStringLiteral("window/size"), size());
}

} // namespace planewall
