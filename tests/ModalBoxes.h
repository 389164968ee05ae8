// Dismisses the modal message boxes a test provokes, keeping what they showed.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <vector>

namespace brevorn::test {

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format;
};

class ModalBoxes {
public:
    ModalBoxes();
    std::vector<ShownBox> shown;

private:
    void poll();
    QTimer timer_;
};

}  // namespace brevorn::test
