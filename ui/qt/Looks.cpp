#include "ui/qt/Looks.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/qt/QtText.h"

namespace ui::qt {

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerDesignPixel));
}

QString wrappedToWidth(const QString& caption, const QFontMetrics& metrics, int width) {
    QString wrapped;
    QString line;
    for (const QString& word : caption.split(u' ')) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            wrapped += line + u'\n';
            line = word;
        } else {
            line = longer;
        }
    }
    return wrapped + line;
}

QRect pixelRect(const Rect& twips) {
    return {pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height)};
}

QFont qtFont(const Font& font, const QWidget& widget) {
    QFont shown = QApplication::font();
    if (!font.face.empty()) {
        shown.setFamily(toQString(font.face));
    }
    const int dpi = widget.logicalDpiY() > 0 ? widget.logicalDpiY() : 96;
    shown.setPointSizeF(font.size * 96.0 / dpi);
    shown.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    shown.setUnderline(font.underline);
    return shown;
}

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QColor qtColor(const Color& color) {
    switch (color.kind) {
        case Color::Kind::Window:
            return QApplication::palette().color(QPalette::Base);
        case Color::Kind::Rgb:
            return QColor::fromRgb(static_cast<QRgb>(color.rgb));
        case Color::Kind::ButtonFace:
            break;
    }
    return QApplication::palette().color(QPalette::Window);
}

void paintBackground(QWidget& widget, BackStyle style, const Color& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, qtColor(color));
    widget.setPalette(palette);
    widget.setAutoFillBackground(style == BackStyle::Opaque);
}

}  // namespace ui::qt
