#pragma once

#include <QString>
#include <string>

namespace ui::qt {

QString toQString(const std::string& utf8);
std::string toUtf8(const QString& text);

// A label's caption as shown: "&" marks an access key, which a plain label does not offer,
// and "&&" stands for one "&".
QString withoutAccessKeys(const std::string& caption);

}  // namespace ui::qt
