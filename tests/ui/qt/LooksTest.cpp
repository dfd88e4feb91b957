#include <gtest/gtest.h>

#include <QFontMetrics>

#include "tests/ui/qt/QtFixture.h"
#include "ui/qt/Looks.h"

namespace ui::qt::testing {
namespace {

class LooksTest : public QtFixture {};

TEST_F(LooksTest, ACaptionLongerThanItsBoxWrapsAtBlanks) {
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString caption = QStringLiteral("Asociace souborů .CRC s tímto programem");
    const int wide = metrics.horizontalAdvance(caption);
    EXPECT_EQ(wrappedToWidth(caption, metrics, wide), caption) << "a caption that fits stays";
    const QString wrapped = wrappedToWidth(caption, metrics, wide * 2 / 3);
    EXPECT_TRUE(wrapped.contains(u'\n'));
    for (const QString& line : wrapped.split(u'\n')) {
        EXPECT_LE(metrics.horizontalAdvance(line), wide * 2 / 3) << line.toStdString();
    }
    EXPECT_EQ(QString(wrapped).replace(u'\n', u' '), caption) << "nothing lost or added";
    EXPECT_EQ(wrappedToWidth(QStringLiteral("Jednoslovo"), metrics, 1),
              QStringLiteral("Jednoslovo"))
        << "a word longer than the box stays whole";
}

}  // namespace
}  // namespace ui::qt::testing
