#include "ui/qt/Pictures.h"

#include <QFile>

#include "ui/qt/QtText.h"

namespace ui::qt {

QPixmap picture(const std::string& resourceName) {
    const QString path =
        QStringLiteral(":/pictures/") + toQString(resourceName) + QStringLiteral(".png");
    if (resourceName.empty() || !QFile::exists(path)) {
        return {};
    }
    return QPixmap(path);
}

}  // namespace ui::qt
