#include "explorer_window.h"

#include "chart_export.h"
#include "chart_page.h"
#include "chart_view.h"
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
#include <QFileDialog>
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
    : QMainWindow(parent), m_inputs(nullptr), m_results(new ResultsPanel), m_tabs(new QTabWidget)
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
        m_tabs->addTab(m_charts[i], tr(kTabTitles[i]));
        connect(m_charts[i], &ChartPage::viewMade, this, [this](ChartView *view) {
            // In the Tab chain between the tab bar and the results, where it is read.
            setTabOrder(m_tabs->tabBar(), view);
            setTabOrder(view, m_results->table());
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
}

void ExplorerWindow::fillMenus(QMenu *file, QMenu *chart, QMenu *help)
{
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
    m_runner.request(m_form.snapshot());
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
        m_shown = study;
    } else {
        const QString why = study.messages.empty()
            ? QString()
            : QString::fromStdString(fieldMessage(study.messages.front()));
        m_results->setOutOfDate(tr("Out of date: %1").arg(why));
        for (ChartPage *page : m_charts)
            page->setOutOfDate(true);
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
