#include "window/frmQuillane.h"

#include <QGuiApplication>
#include <QMessageLogger>
#include <QPixmap>
#include <QScreen>

#include "calc/letterbox.h"
#include "commands/commands.h"
#include "window/answer_font.h"
#include "window/brevorn.xpm"

namespace brevorn {
namespace {

// Positions are kept in twips, as the form was drawn; 15 make a pixel.
constexpr int kTwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

// Label captions sit at the top of their area, clear of the box that
// overlaps their lower edge.
QLabel* label(QWidget* parent, const char* caption, QRect area) {
    auto* control = new QLabel(QString::fromLatin1(caption), parent);
    control->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    control->setGeometry(area);
    return control;
}

QLineEdit* textBox(QWidget* parent, QRect area) {
    auto* control = new QLineEdit(parent);
    control->setAlignment(Qt::AlignCenter);
    control->setGeometry(area);
    return control;
}

QPushButton* button(QWidget* parent, const char* caption, QRect area) {
    auto* control = new QPushButton(QString::fromLatin1(caption), parent);
    control->setAutoDefault(false);
    control->setGeometry(area);
    return control;
}

}  // namespace

frmQuillane::frmQuillane()
    : lblHeight(label(this, "Height", twips(120, 120, 1215, 255))),
      lblWidth(label(this, "Width", twips(1440, 120, 1215, 375))),
      equils(label(this, "=", twips(2760, 360, 495, 255))),
      lblVCDNorm(label(this, "VCD Norm is H=240, W=352", twips(240, 1200, 4335, 255))),
      txtHeight(textBox(this, twips(120, 360, 1215, 285))),
      txtWidth(textBox(this, twips(1440, 360, 1215, 285))),
      txtOutput(textBox(this, twips(3240, 360, 1335, 285))),
      cmdGo(button(this, "Calculate", twips(120, 720, 4455, 375))),
      cmdInfo(button(this, "Info", twips(4080, 1200, 495, 375))),
      services_(*this, {txtHeight, txtWidth, txtOutput}) {
    setWindowTitle(QStringLiteral("Quillane"));
    setWindowIcon(QPixmap(brevorn_xpm));
    // A fixed frame: no resizing, no minimise or maximise, but icon and close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips(0, 0, 4680, 1680).size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    // Screen readers name each box after the label above it.
    lblHeight->setBuddy(txtHeight);
    lblWidth->setBuddy(txtWidth);
    txtOutput->setAccessibleName(QStringLiteral("Answer"));
    fitAnswerFont();

    setTabOrder(txtHeight, txtWidth);
    setTabOrder(txtWidth, cmdGo);
    setTabOrder(cmdGo, txtOutput);
    setTabOrder(txtOutput, cmdInfo);
    txtHeight->setFocus();

    connect(cmdGo, &QPushButton::clicked, this, [this] { run(cmdGo_Click); });
    connect(cmdInfo, &QPushButton::clicked, this, [this] { run(cmdInfo_Click); });
}

// The default font can be too wide for the answer box, and a scrolled answer
// loses its first letter; that box alone shrinks its font until it fits.
void frmQuillane::fitAnswerFont() {
    txtOutput->setFont(fittingFont(*txtOutput, font(), kLongestAnswer));
}

void frmQuillane::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitAnswerFont();
    }
    QWidget::changeEvent(event);
}

// A command reports its own failures; one that escapes its handler (the
// report itself failed) must not unwind through the event loop.
void frmQuillane::run(void (*command)(WindowServices&)) {
    try {
        command(services_);
    } catch (const RunError& error) {
        qWarning("Brevorn: unhandled error %d: %s", error.number, error.description.c_str());
    }
}

}  // namespace brevorn
