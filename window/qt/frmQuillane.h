#pragma once

#include <QWidget>

#include "window/form_layout.h"
#include "window/qt/QtWindowServices.h"

namespace brevorn {

// The program's one window: two sizes in, one answer out. Each control is a
// child named as in the form's table (`controlOf` finds it).
class frmQuillane final : public QWidget {
public:
    frmQuillane();

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* make(const form::Control& control);
    void fitAnswerFont();

    QtWindowServices services_;
};

}  // namespace brevorn
