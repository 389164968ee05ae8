#include <QApplication>
#include <cstdio>

#include "identity.h"
#include "window/qt/frmQuillane.h"

namespace {

// Qt aborts with a core dump when it finds no display; say so plainly first.
bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int /*argc*/, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs(
            "Brevorn needs a graphical desktop: no display was found (DISPLAY is not set).\n",
            stderr);
        return 1;
    }
    QApplication::setApplicationName(QString::fromLatin1(brevorn::kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(brevorn::kApplicationVersion));
    // Wayland's app_id and X11 startup notification: how a dock finds our entry and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(brevorn::kApplicationId));
    // The program takes no arguments; Qt is not offered any either.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    brevorn::frmQuillane window;
    window.show();
    return QApplication::exec();
}
