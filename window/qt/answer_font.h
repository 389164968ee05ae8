#pragma once

#include <QFont>
#include <QLineEdit>
#include <QString>

namespace brevorn {

// `base` if `text` fits `box` in it, else the largest smaller point size of
// its family that does.
QFont fittingFont(const QLineEdit& box, const QFont& base, const QString& text);

}  // namespace brevorn
