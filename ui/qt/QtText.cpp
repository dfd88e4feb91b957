#include "ui/qt/QtText.h"

namespace ui::qt {

QString toQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

QString withoutAccessKeys(const std::string& caption) {
    const QString text = toQString(caption);
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size()) {
            ++i;
        }
        shown.append(text.at(i));
    }
    return shown;
}

}  // namespace ui::qt
