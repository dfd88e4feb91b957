#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app/frmSumora.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/qt/QtFixture.h"

namespace ui::qt::testing {
namespace {

class MainWindowTest : public QtFixture {};

TEST_F(MainWindowTest, OpensAsDesignedAndComputesATypedPath) {
    testing_support::TempFolder folder;
    const std::string file = folder.writeFile("check.txt", "123456789");
    app::frmSumora form(desktop(), "");
    FormWindow& window = shown(form);

    EXPECT_EQ(window.windowTitle().toStdString(), "Sumora");
    EXPECT_EQ(window.client().size(), QSize(696, 488));
    const struct {
        const char* name;
        QRect geometry;
    } placed[] = {
        {"txtPathAndFileName", {112, 90, 497, 27}},
        {"cmdSelectFile", {624, 88, 41, 33}},
        {"cmndCalculate", {544, 136, 121, 33}},
        {"txtFileSize", {112, 200, 497, 27}},
        {"txtCRC32Result", {112, 232, 497, 27}},
        {"cndSaveCRCFile", {544, 312, 121, 33}},
        {"Label1", {232, 8, 275, 49}},
        {"hrlOnLineHelp", {608, 8, 70, 21}},
    };
    for (const auto& p : placed) {
        EXPECT_EQ(child<QWidget>(window, p.name).geometry(), p.geometry) << p.name;
    }
    EXPECT_EQ(child<QPushButton>(window, "cmndCalculate").text().toStdString(), "&Vypočti");
    EXPECT_FALSE(child<QPushButton>(window, "cmndCalculate").isEnabled());
    EXPECT_FALSE(child<QPushButton>(window, "cndSaveCRCFile").isEnabled());
    const auto& version = child<QLabel>(window, "Label3");
    EXPECT_EQ(version.text().toStdString(),
              "Sumora, ver.2.0.0.72, build DB.000072-08.05.2023-15.28.23_SMRA..");
    EXPECT_GE(version.width(), version.sizeHint().width()) << "the version line is shown whole";
    EXPECT_FALSE(child<QLabel>(window, "picLogoMain").pixmap().isNull());

    std::vector<std::string> menus;
    for (QAction* action : child<QMenuBar>(window, "menuBar").actions()) {
        menus.push_back(action->text().toStdString());
    }
    EXPECT_EQ(menus, (std::vector<std::string>{"&Soubor", "&Nastavení", "&O programu"}));
    std::vector<std::string> fileItems;
    for (QAction* action : child<QMenu>(window, "mnuFile").actions()) {
        fileItems.push_back(action->isSeparator() ? "separator" : action->text().toStdString());
    }
    EXPECT_EQ(fileItems, (std::vector<std::string>{"&Vytvořit soubor .CRC", "Otevřít soubor .CRC",
                                                   "separator", "&Konec programu"}));

    auto& path = child<QLineEdit>(window, "txtPathAndFileName");
    path.setFocus();
    QTest::keyClicks(&path, QString::fromStdString(file));
    EXPECT_EQ(form.txtPathAndFileName.text(), file);
    ASSERT_TRUE(child<QPushButton>(window, "cmndCalculate").isEnabled());
    QTest::mouseClick(&child<QPushButton>(window, "cmndCalculate"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(window, "txtCRC32Result").text().toStdString(), "CBF43926");
    EXPECT_EQ(child<QLineEdit>(window, "txtFileSize").text().toStdString(), "9 bytes");
    EXPECT_TRUE(child<QPushButton>(window, "cndSaveCRCFile").isEnabled());
}

}  // namespace
}  // namespace ui::qt::testing
