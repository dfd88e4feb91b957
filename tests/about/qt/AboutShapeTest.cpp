#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "about/frmAbout.h"
#include "ui/Desktop.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtBackend.h"

namespace about {
namespace {

char programName[] = "sumora_about_shape_test";
char* arguments[] = {programName, nullptr};
int argumentCount = 1;

// On a real X server the window region shapes the window: the screen shows the root window's
// colour in the corners the rounded rectangle cuts off. The offscreen platform has no such
// shaping, so this runs under Xvfb.
TEST(AboutShape, TheCornersOutsideTheRoundedRegionShowTheScreenBehind) {
    if (qgetenv("DISPLAY").isEmpty()) {
        GTEST_SKIP() << "needs an X server (run under xvfb-run)";
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    ui::Desktop desktop([] { return ui::makeQtBackend(argumentCount, arguments); });
    ASSERT_TRUE(desktop.canShowWindows());
    frmAbout dialog(desktop);
    desktop.show(dialog);
    auto* window = static_cast<ui::QtBackend&>(desktop.backend()).windowOf(dialog);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(300);

    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(window->size(), QSize(641, 299));
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const auto at = [&](int x, int y) { return screen.pixelColor(origin + QPoint(x, y)); };
    const QColor ground = at(10, 150);  // beside the logo, the dialog's own background
    for (const QPoint corner : {QPoint(1, 1), QPoint(639, 1), QPoint(1, 297), QPoint(639, 297)}) {
        EXPECT_NE(at(corner.x(), corner.y()), ground)
            << "corner " << corner.x() << "," << corner.y() << " is cut off";
    }
    for (const QPoint inside : {QPoint(20, 20), QPoint(620, 20), QPoint(600, 1), QPoint(1, 150)}) {
        EXPECT_EQ(at(inside.x(), inside.y()), ground)
            << inside.x() << "," << inside.y() << " lies inside the region";
    }
    desktop.unload(dialog);
}

}  // namespace
}  // namespace about
