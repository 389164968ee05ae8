// Dismisses the modal message boxes a test provokes, keeping what they showed.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <ostream>
#include <vector>

QT_BEGIN_NAMESPACE
// Readable failures in GoogleTest.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

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
    // `keepWhatTheyShowed` off only counts them, for runs long enough to matter.
    explicit ModalBoxes(bool keepWhatTheyShowed = true);
    std::vector<ShownBox> shown;
    int dismissed = 0;

private:
    void poll();
    bool keep_;
    QTimer timer_;
};

}  // namespace brevorn::test
