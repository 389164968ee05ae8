// The least a Qt program with text can do: the baseline brevorn's startup is
// measured against. A window of brevorn's size with one label, so fonts load
// as in any window that shows text.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int /*argc*/, char* argv[]) {
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.setFixedSize(312, 112);
    QLabel label(QStringLiteral("Floor"), &window);
    window.show();
    return QApplication::exec();
}
