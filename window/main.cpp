// planewall: the plane-wall calculator window. It takes no command line of its own (Qt's
// options, such as -platform, still apply) and keeps nothing between runs.

#include "app_icon.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("planewall"));
    // Lets Wayland compositors match the window to planewall.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("planewall"));
    QApplication::setWindowIcon(planewall::appIcon());

    planewall::Form1 form;
    form.show();
    return QApplication::exec();
}
