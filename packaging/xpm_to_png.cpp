#include <QImage>
#include <QString>
#include <cstdio>

#include "window/brevorn.xpm"

// Renders the window icon as the PNG that icon themes get: gdk-pixbuf no longer reads XPM by
// default, and the XPM stays the one source the window compiles in.
int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: brevorn_xpm_to_png OUTPUT.png\n", stderr);
        return 2;
    }
    const QImage icon(brevorn_xpm);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "brevorn_xpm_to_png: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
