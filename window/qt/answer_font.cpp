#include "window/qt/answer_font.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>

namespace brevorn {
namespace {

// QLineEdit keeps this many pixels clear inside each side of its contents.
constexpr int kLineEditMargin = 2;
constexpr qreal kStep = 0.25;  // point sizes tried, largest first
constexpr qreal kSmallest = 4.0;

// Width of the line a QLineEdit lays its text on.
int textRoomIn(const QLineEdit& box) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin;
}

}  // namespace

QFont fittingFont(const QLineEdit& box, const QFont& base, const QString& text) {
    const int room = textRoomIn(box);
    // The same sum QLineEdit makes before it decides to scroll.
    const auto fits = [&](const QFont& font) {
        return qRound(QFontMetricsF(font).horizontalAdvance(text)) + 1 <= room;
    };
    QFont font = base;
    for (qreal size = base.pointSizeF(); !fits(font) && size > kSmallest;) {
        size -= kStep;
        font.setPointSizeF(size);
    }
    return font;
}

}  // namespace brevorn
