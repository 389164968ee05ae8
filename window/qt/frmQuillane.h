#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "window/form_layout.h"
#include "window/qt/QtWindowServices.h"

namespace brevorn {

// The program's one window: two sizes in, one answer out.
class frmQuillane final : public QWidget {
public:
    frmQuillane();

    // Labels first: a control made later is drawn in front, and every box or
    // button that overlaps a label must stay in front of it.
    QLabel* const lblHeight;
    QLabel* const lblWidth;
    QLabel* const equils;
    QLabel* const lblVCDNorm;
    QLineEdit* const txtHeight;
    QLineEdit* const txtWidth;
    QLineEdit* const txtOutput;
    QPushButton* const cmdGo;
    QPushButton* const cmdInfo;

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* widget(form::Id id) const;
    void fitAnswerFont();
    void run(void (*command)(WindowServices&));

    QtWindowServices services_;
};

}  // namespace brevorn
