#include "tests/ModalBoxes.h"

#include <QApplication>
#include <QPushButton>

namespace brevorn::test {

ModalBoxes::ModalBoxes(bool keepWhatTheyShowed) : keep_(keepWhatTheyShowed) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

// The timer fires inside the box's own event loop, once it is up.
void ModalBoxes::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    if (keep_) {
        shown.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                         box->textFormat()});
    }
    ++dismissed;
    box->button(QMessageBox::Ok)->click();
}

}  // namespace brevorn::test
