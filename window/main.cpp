// planewall: the plane-wall calculator window. Its own options (--help, --version) are read
// before Qt starts, so that they work without a display; Qt's options, such as -platform, still
// apply. It keeps nothing between runs.

#include "app_icon.h"
#include "command_line.h"
#include "form1.h"
#include "planewall_version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const planewall::CommandLine commandLine = planewall::readCommandLine(argc, argv);
    if (const std::optional<int> status = planewall::answerWithoutWindow(commandLine))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("planewall"));
    QApplication::setApplicationVersion(
        QString::fromUtf8(planewall::kVersion.data(), planewall::kVersion.size()));
    // Lets Wayland compositors match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(planewall::kApplicationId.data(), planewall::kApplicationId.size()));
    QApplication::setWindowIcon(planewall::appIcon());

    planewall::Form1 form;
    form.show();
    return QApplication::exec();
}
