#pragma once

#include <QPixmap>
#include <string>

namespace ui::qt {

// The picture a resource name stands for: "logo.main" is the embedded
// ":/pictures/logo.main.png". A name we have no picture for gives a null pixmap, which draws
// nothing.
QPixmap picture(const std::string& resourceName);

}  // namespace ui::qt
