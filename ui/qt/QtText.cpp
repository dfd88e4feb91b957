#include "ui/qt/QtText.h"

namespace ui::qt {

QString toQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

int utf16Index(const QString& text, int codePoints) {
    qsizetype index = 0;
    for (int i = 0; i < codePoints && index < text.size(); ++i) {
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    }
    return static_cast<int>(index);
}

int codePointIndex(const QString& text, int utf16Units) {
    int codePoints = 0;
    for (qsizetype index = 0; index < utf16Units && index < text.size(); ++codePoints) {
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    }
    return codePoints;
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
