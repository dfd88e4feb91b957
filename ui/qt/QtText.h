#pragma once

#include <QString>
#include <string>

namespace ui::qt {

QString toQString(const std::string& utf8);
std::string toUtf8(const QString& text);

// The model counts text positions in code points, Qt in UTF-16 units.
int utf16Index(const QString& text, int codePoints);
int codePointIndex(const QString& text, int utf16Units);

// A label's caption as shown: "&" marks an access key, which a plain label does not offer,
// and "&&" stands for one "&".
QString withoutAccessKeys(const std::string& caption);

}  // namespace ui::qt
