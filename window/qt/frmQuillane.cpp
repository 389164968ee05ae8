#include "window/qt/frmQuillane.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "commands/commands.h"
#include "commands/run_command.h"
#include "window/brevorn.xpm"
#include "window/qt/answer_font.h"
#include "window/qt/latin1.h"

namespace brevorn {
namespace {

// Qt's pixels are device-independent: 96 to the inch, whatever the screen.
constexpr int kTwipsPerPixel = form::kTwipsPerInch / 96;

QRect pixels(const form::Twips& area) {
    return {area.left / kTwipsPerPixel, area.top / kTwipsPerPixel, area.width / kTwipsPerPixel,
            area.height / kTwipsPerPixel};
}

QString caption(const form::Control& control) {
    return latin1(control.caption);
}

// Across, as the table says; Qt puts labels and boxes at the left unasked.
Qt::Alignment across(const form::Control& control) {
    return control.align == form::Align::centred ? Qt::AlignHCenter : Qt::AlignLeft;
}

// Label captions sit at the top of their area, clear of the box that
// overlaps their lower edge.
QLabel* label(QWidget* parent, form::Id id) {
    const form::Control& entry = form::control(id);
    auto* control = new QLabel(caption(entry), parent);
    control->setAlignment(Qt::AlignTop | across(entry));
    control->setGeometry(pixels(entry.area));
    return control;
}

QLineEdit* textBox(QWidget* parent, form::Id id) {
    const form::Control& entry = form::control(id);
    auto* control = new QLineEdit(parent);
    control->setAlignment(Qt::AlignVCenter | across(entry));
    control->setGeometry(pixels(entry.area));
    return control;
}

QPushButton* button(QWidget* parent, form::Id id) {
    const form::Control& entry = form::control(id);
    auto* control = new QPushButton(caption(entry), parent);
    control->setAutoDefault(false);
    control->setGeometry(pixels(entry.area));
    return control;
}

}  // namespace

frmQuillane::frmQuillane()
    : lblHeight(label(this, form::Id::lblHeight)),
      lblWidth(label(this, form::Id::lblWidth)),
      equils(label(this, form::Id::equils)),
      lblVCDNorm(label(this, form::Id::lblVCDNorm)),
      txtHeight(textBox(this, form::Id::txtHeight)),
      txtWidth(textBox(this, form::Id::txtWidth)),
      txtOutput(textBox(this, form::Id::txtOutput)),
      cmdGo(button(this, form::Id::cmdGo)),
      cmdInfo(button(this, form::Id::cmdInfo)),
      services_(*this, {{form::Id::txtHeight, txtHeight},
                        {form::Id::txtWidth, txtWidth},
                        {form::Id::txtOutput, txtOutput}}) {
    setWindowTitle(latin1(form::kCaption));
    setWindowIcon(QPixmap(brevorn_xpm));
    // A fixed frame: no resizing, no minimise or maximise, but icon and close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(pixels({0, 0, form::kClientWidth, form::kClientHeight}).size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    // Screen readers name a box after its buddy label, or by its own name.
    for (const form::BoxName& name : form::kBoxNames) {
        QWidget* box = widget(name.box);
        QWidget* label = name.label.has_value() ? widget(*name.label) : nullptr;
        if (auto* buddy = qobject_cast<QLabel*>(label)) {
            buddy->setBuddy(box);
        } else {
            box->setAccessibleName(latin1(name.name()));
        }
    }
    fitAnswerFont();

    QWidget* previous = nullptr;
    for (const form::Control& control : form::inTabOrder()) {
        if (!form::takesFocus(control)) {
            continue;
        }
        QWidget* next = widget(control.id);
        if (previous == nullptr) {
            next->setFocus();
        } else {
            setTabOrder(previous, next);
        }
        previous = next;
    }

    connect(cmdGo, &QPushButton::clicked, this, [this] { run(cmdGo_Click); });
    connect(cmdInfo, &QPushButton::clicked, this, [this] { run(cmdInfo_Click); });
}

QWidget* frmQuillane::widget(form::Id id) const {
    switch (id) {
        case form::Id::lblHeight:
            return lblHeight;
        case form::Id::lblWidth:
            return lblWidth;
        case form::Id::txtHeight:
            return txtHeight;
        case form::Id::txtWidth:
            return txtWidth;
        case form::Id::equils:
            return equils;
        case form::Id::txtOutput:
            return txtOutput;
        case form::Id::cmdGo:
            return cmdGo;
        case form::Id::lblVCDNorm:
            return lblVCDNorm;
        case form::Id::cmdInfo:
            break;
    }
    return cmdInfo;
}

// The default font can be too wide for the answer box, and a scrolled answer
// loses its first letter; that box alone shrinks its font until it fits.
void frmQuillane::fitAnswerFont() {
    txtOutput->setFont(fittingFont(*txtOutput, font(), latin1(form::kWidestAnswer)));
}

void frmQuillane::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitAnswerFont();
    }
    QWidget::changeEvent(event);
}

void frmQuillane::run(void (*command)(WindowServices&)) {
    runCommand(command, services_);
}

}  // namespace brevorn
