#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "settings/frmOptions.h"
#include "tests/ui/qt/QtFixture.h"

namespace ui::qt::testing {
namespace {

class OptionsWindowTest : public QtFixture {};

TEST_F(OptionsWindowTest, OpensAsDesignedAsAFixedDialog) {
    settings::frmOptions dialog(desktop());
    FormWindow& window = shown(dialog);

    EXPECT_EQ(window.windowTitle().toStdString(), "Nastavení");
    EXPECT_EQ(window.client().size(), QSize(6150 / 15, 4560 / 15));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "a fixed dialog border";
    EXPECT_FALSE(window.windowIcon().isNull()) << "an icon of its own";
    const struct {
        const char* name;
        QRect twips;
    } placed[] = {
        {"lbxOptionsMenu", {120, 120, 1575, 3885}},
        {"framMainConfiguration", {1800, 0, 4215, 3975}},
        {"chkAssociation", {240, 480, 2895, 495}},  // inside the frame
        {"cmdOK", {2160, 4080, 1215, 375}},
        {"cmdCancel", {3480, 4080, 1215, 375}},
        {"cmdApply", {4800, 4080, 1215, 375}},
    };
    for (const auto& p : placed) {
        const QRect pixels(p.twips.x() / 15, p.twips.y() / 15, p.twips.width() / 15,
                           p.twips.height() / 15);
        EXPECT_EQ(child<QWidget>(window, p.name).geometry(), pixels) << p.name;
    }
    auto& frame = child<QGroupBox>(window, "framMainConfiguration");
    EXPECT_EQ(frame.title().toStdString(), "Hlavní konfigurace");
    EXPECT_TRUE(frame.isVisible()) << "the page shows once its entry is chosen";
    EXPECT_EQ(child<QCheckBox>(window, "chkAssociation").parentWidget(), &frame);
    auto& list = child<QListWidget>(window, "lbxOptionsMenu");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text().toStdString(), "Nastavení");
    EXPECT_EQ(list.currentRow(), 0);
    for (const char* button : {"cmdOK", "cmdCancel", "cmdApply"}) {
        EXPECT_FALSE(child<QPushButton>(window, button).isDefault()) << "no default button";
    }
    EXPECT_EQ(child<QPushButton>(window, "cmdApply").text().toStdString(), "&Použít");
    desktop().unload(dialog);
}

}  // namespace
}  // namespace ui::qt::testing
