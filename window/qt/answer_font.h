#pragma once

#include <QFont>
#include <QLineEdit>
#include <QString>

#include "window/form_layout.h"
#include "window/qt/latin1.h"

namespace brevorn {

// The widest text the answer box must show without scrolling.
inline const QString kLongestAnswer = latin1(form::kWidestAnswer);

// `base` if `text` fits `box` in it, else the largest smaller point size of
// its family that does.
QFont fittingFont(const QLineEdit& box, const QFont& base, const QString& text);

}  // namespace brevorn
