#include "window/qt/frmQuillane.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

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

// Labels first: a control made later is drawn in front, and every box or
// button that overlaps a label must stay in front of it.
constexpr auto kCreationOrder = [] {
    std::array<const form::Control*, form::kControls.size()> order{};
    std::size_t made = 0;
    for (const bool labels : {true, false}) {
        for (const form::Control& control : form::kControls) {
            if ((control.kind == form::Kind::label) == labels) {
                order[made++] = &control;
            }
        }
    }
    return order;
}();

}  // namespace

frmQuillane::frmQuillane() : services_(*this) {
    for (const form::Control* control : kCreationOrder) {
        QWidget* widget = make(*control);
        widget->setObjectName(latin1(control->name));
        widget->setGeometry(pixels(control->area));
    }

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
        QWidget* box = controlOf(*this, name.box);
        if (name.label.has_value()) {
            controlOf<QLabel>(*this, *name.label)->setBuddy(box);
        } else {
            box->setAccessibleName(latin1(name.name()));
        }
    }
    fitAnswerFont();

    QWidget* previous = nullptr;
    for (const form::Control& control : form::kTabOrder) {
        if (!form::takesFocus(control)) {
            continue;
        }
        QWidget* next = controlOf(*this, control.id);
        if (previous == nullptr) {
            next->setFocus();
        } else {
            setTabOrder(previous, next);
        }
        previous = next;
    }
}

QWidget* frmQuillane::make(const form::Control& control) {
    switch (control.kind) {
        case form::Kind::label: {
            // Captions sit at the top of their area, clear of the box that
            // overlaps their lower edge.
            auto* label = new QLabel(caption(control), this);
            label->setAlignment(Qt::AlignTop | across(control));
            return label;
        }
        case form::Kind::textBox: {
            auto* box = new QLineEdit(this);
            box->setAlignment(Qt::AlignVCenter | across(control));
            return box;
        }
        case form::Kind::button:
            break;
    }
    auto* button = new QPushButton(caption(control), this);
    button->setAutoDefault(false);
    if (control.click != nullptr) {
        connect(button, &QPushButton::clicked, this,
                [this, command = control.click] { runCommand(command, services_); });
    }
    return button;
}

// The default font can be too wide for the answer box, and a scrolled answer
// loses its first letter; that box alone shrinks its font until it fits.
void frmQuillane::fitAnswerFont() {
    auto* answer = controlOf<QLineEdit>(*this, form::Id::txtOutput);
    answer->setFont(fittingFont(*answer, font(), latin1(form::kWidestAnswer)));
}

void frmQuillane::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitAnswerFont();
    }
    QWidget::changeEvent(event);
}

}  // namespace brevorn
