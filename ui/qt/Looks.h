#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

#include "ui/Appearance.h"

class QWidget;

namespace ui::qt {

// Design twips to Qt's logical pixels, which stand for the design's pixels at 96 dpi.
int pixels(double twips);
QRect pixelRect(const Rect& twips);

// The font as a widget shows it. The type is sized in design pixels (pt × 96 / 72), as the
// geometry is, so captions fit their controls whatever the screen's dpi; a point size for
// the widget's dpi keeps the fraction.
QFont qtFont(const Font& font, const QWidget& widget);

QColor qtColor(const Color& color);
Qt::Alignment qtAlignment(Alignment alignment);

// The caption broken into lines at blanks so that each fits the width, as a Windows check box
// wraps a caption longer than itself; a word longer than the width stays whole.
QString wrappedToWidth(const QString& caption, const QFontMetrics& metrics, int width);

// Fills the widget with the colour, or lets its parent show through for a transparent style.
void paintBackground(QWidget& widget, BackStyle style, const Color& color);

}  // namespace ui::qt
