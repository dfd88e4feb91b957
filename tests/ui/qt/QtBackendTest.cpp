#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/ui/qt/QtFixture.h"
#include "ui/Form.h"

namespace ui::qt::testing {
namespace {

// Receives the addresses QDesktopServices is asked to open under a scheme of the test's own.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("sumora-test"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("sumora-test")); }
    std::vector<std::string> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url.toString().toStdString()); }
};

// A form with controls of every kind a window shows, in an order that differs from the tab
// order, and a menu bar.
class SampleForm : public Form {
public:
    SampleForm() : Form("frmSample") {
        setCaption("Ukázka");
        setClientSize(420 * 15, 300 * 15);
        setBackgroundPicture("background.main");
        Control& title = add(ControlKind::Label, "lblTitle", "Titulek", pixelRect(100, 4, 200, 40));
        title.setFont({"", 27.75, 300, false});
        title.setBackStyle(BackStyle::Transparent);
        add(ControlKind::Label, "lblName", "&Jméno && příjmení:", pixelRect(8, 52, 90, 21))
            .setBackColor(Color::window());
        add(ControlKind::TextBox, "txtName", "", pixelRect(100, 48, 200, 24)).setTabIndex(2);
        add(ControlKind::TextBox, "txtOther", "jiný", pixelRect(100, 78, 200, 24)).setTabIndex(1);
        add(ControlKind::Button, "cmdGo", "&Spustit", pixelRect(310, 46, 100, 30)).setTabIndex(3);
        Control& stop =
            add(ControlKind::Button, "cmdStop", "Zastavit", pixelRect(310, 80, 100, 30));
        stop.setTabIndex(0);
        stop.setEnabled(false);
        add(ControlKind::CheckBox, "chkSure", "Jistě", pixelRect(8, 110, 120, 21)).setTabIndex(4);
        add(ControlKind::ListBox, "lbxItems", "", pixelRect(8, 140, 120, 60))
            .setItems({"jedna", "dvě", "tři"});
        add(ControlKind::Frame, "fraBox", "Rámeček", pixelRect(140, 140, 150, 70));
        add(ControlKind::Button, "cmdInside", "Uvnitř", pixelRect(10, 25, 120, 30))
            .setParentName("fraBox");
        add(ControlKind::Picture, "picLogo", "", pixelRect(300, 150, 81, 49))
            .setPicture("logo.crc32");
        add(ControlKind::HyperLink, "hrlHome", "domovská stránka", pixelRect(8, 220, 120, 21))
            .setUrl("sumora-test:home");
        Control& logo =
            add(ControlKind::HyperLink, "hrlLogo", "Logo", pixelRect(300, 205, 113, 49));
        logo.setPicture("logo.main");
        logo.setUrl("sumora-test:logo");
        add(ControlKind::ProgressBar, "pgbDone", "", pixelRect(8, 250, 200, 20));
        add(ControlKind::Animation, "aniWait", "", pixelRect(220, 250, 40, 40));
        add(ControlKind::Timer, "tmrTick").setEnabled(false);
        add(ControlKind::Menu, "mnuFile", "&Soubor");
        add(ControlKind::MenuItem, "mnuFile_Open", "&Otevřít").setParentName("mnuFile");
        add(ControlKind::MenuItem, "mnuFile_Space", "-").setParentName("mnuFile");
        add(ControlKind::MenuItem, "mnuFile_Exit", "&Konec").setParentName("mnuFile");
        add(ControlKind::Menu, "mnuHelp", "&Nápověda");
        add(ControlKind::MenuItem, "mnuHelp_About", "&O programu").setParentName("mnuHelp");
    }
};

class QtBackendTest : public QtFixture {};

TEST_F(QtBackendTest, ShowsEveryControlAsDesigned) {
    SampleForm form;
    FormWindow& window = shown(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.windowTitle().toStdString(), "Ukázka");
    EXPECT_EQ(window.client().size(), QSize(420, 300)) << "the client area is the form's size";
    EXPECT_EQ(window.client().y(), child<QMenuBar>(window, "menuBar").height())
        << "the menu bar lies above the client area";

    const struct {
        const char* name;
        QRect geometry;
    } placed[] = {
        {"lblTitle", {100, 4, 200, 40}},  {"txtName", {100, 48, 200, 24}},
        {"cmdGo", {310, 46, 100, 30}},    {"lbxItems", {8, 140, 120, 60}},
        {"cmdInside", {10, 25, 120, 30}}, {"pgbDone", {8, 250, 200, 20}},
        {"aniWait", {220, 250, 40, 40}},
    };
    for (const auto& p : placed) {
        EXPECT_EQ(child<QWidget>(window, p.name).geometry(), p.geometry) << p.name;
    }
    EXPECT_EQ(child<QWidget>(window, "cmdInside").parentWidget(), &child<QWidget>(window, "fraBox"))
        << "a frame's controls are placed within it";

    const QFont title = child<QLabel>(window, "lblTitle").font();
    EXPECT_EQ(title.weight(), QFont::Light);
    EXPECT_NEAR(QFontInfo(title).pixelSize(), 27.75 * 96 / 72, 1.0) << "sized in design pixels";
    EXPECT_DOUBLE_EQ(title.pointSizeF() * child<QLabel>(window, "lblTitle").logicalDpiY() / 96.0,
                     27.75)
        << "the fraction is kept";

    EXPECT_FALSE(child<QLabel>(window, "lblTitle").autoFillBackground()) << "transparent";
    const auto& name = child<QLabel>(window, "lblName");
    EXPECT_TRUE(name.autoFillBackground()) << "opaque";
    EXPECT_EQ(name.palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(name.text().toStdString(), "Jméno & příjmení:");

    EXPECT_EQ(child<QPushButton>(window, "cmdGo").text().toStdString(), "&Spustit");
    EXPECT_FALSE(child<QPushButton>(window, "cmdStop").isEnabled());
    EXPECT_FALSE(child<QPushButton>(window, "cmdGo").autoDefault());
    EXPECT_FALSE(child<QLabel>(window, "picLogo").pixmap().isNull());
    const auto& logo = child<QLabel>(window, "hrlLogo");
    EXPECT_FALSE(logo.pixmap().isNull()) << "a hyperlink label with a picture shows the picture";
    EXPECT_TRUE(logo.text().isEmpty());
    const auto& home = child<QLabel>(window, "hrlHome");
    EXPECT_EQ(home.text().toStdString(), "domovská stránka");
    EXPECT_TRUE(home.font().underline());
    EXPECT_EQ(home.palette().color(QPalette::WindowText), QColor(0, 0, 255));

    std::vector<std::string> menus;
    for (QAction* action : child<QMenuBar>(window, "menuBar").actions()) {
        menus.push_back(action->text().toStdString());
    }
    EXPECT_EQ(menus, (std::vector<std::string>{"&Soubor", "&Nápověda"}));
    const QList<QAction*> items = child<QMenu>(window, "mnuFile").actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[1]->text().isEmpty()) << "a separator shows no '-' beside its line";

    // Tab order: cmdStop (0) is disabled and skipped, then txtOther (1), txtName (2), ...
    EXPECT_EQ(QApplication::focusWidget(), &child<QWidget>(window, "txtOther"));
    std::vector<std::string> chain;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(chain, (std::vector<std::string>{"txtName", "cmdGo", "chkSure"}));
}

TEST_F(QtBackendTest, FollowsChangesMadeByCode) {
    SampleForm form;
    FormWindow& window = shown(form);
    form.setCaption("Stahuji 50 %");
    EXPECT_EQ(window.windowTitle().toStdString(), "Stahuji 50 %");
    form.move(150, 300);
    EXPECT_EQ(window.pos(), QPoint(10, 20));
    form.setVisible(false);
    EXPECT_FALSE(window.isVisible()) << "a loaded form may hide";
    form.setVisible(true);
    EXPECT_TRUE(window.isVisible());

    form.control("chkSure").setVisible(false);
    form.control("chkSure").setValue(1);
    form.control("txtName").setGeometry(pixelRect(10, 20, 30, 40));
    form.control("lbxItems").setListIndex(1);
    form.control("mnuFile_Exit").setEnabled(false);
    form.control("fraBox").setVisible(false);
    EXPECT_TRUE(child<QCheckBox>(window, "chkSure").isHidden());
    EXPECT_TRUE(child<QCheckBox>(window, "chkSure").isChecked());
    EXPECT_EQ(child<QLineEdit>(window, "txtName").geometry(), QRect(10, 20, 30, 40));
    EXPECT_EQ(child<QListWidget>(window, "lbxItems").currentRow(), 1);
    EXPECT_FALSE(child<QMenu>(window, "mnuFile").actions()[2]->isEnabled());
    EXPECT_FALSE(child<QWidget>(window, "cmdInside").isVisible()) << "hidden with its frame";

    struct Progress {
        std::int64_t maximum;
        std::int64_t value;
        double shownFraction;
    };
    const Progress progress[] = {
        {60, 30, 0.5},
        {60, 90, 1.0},                        // held at the maximum
        {60, -5, 0.0},                        // and at zero
        {6'000'000'000, 1'500'000'000, 0.25}  // beyond int, scaled
    };
    auto& bar = child<QProgressBar>(window, "pgbDone");
    for (const Progress& p : progress) {
        form.control("pgbDone").setMaximum(p.maximum);
        form.control("pgbDone").setValue(p.value);
        EXPECT_NEAR(static_cast<double>(bar.value()) / bar.maximum(), p.shownFraction, 1e-6)
            << p.value << " of " << p.maximum;
    }

    // Positions count code points; the emoji is two UTF-16 units.
    Control& name = form.control("txtName");
    name.setText(
        "a\xF0\x9F\x98\x80"
        "bc");
    name.setSelection(1, 2);
    EXPECT_EQ(child<QLineEdit>(window, "txtName").selectedText().toStdString(),
              "\xF0\x9F\x98\x80"
              "b");
}

TEST_F(QtBackendTest, AFramelessFormIsShapedByItsRegion) {
    Form form("frmRound");
    form.setClientSize(641 * 15, 299 * 15);
    form.setBorderStyle(BorderStyle::None);
    form.setRegion(RoundRectRegion{641, 299, 40, 40});
    FormWindow& window = shown(form);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    const QRegion mask = window.mask();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 641, 299));
    EXPECT_FALSE(mask.contains(QPoint(1, 1))) << "the corner is cut off";
    EXPECT_TRUE(mask.contains(QPoint(20, 1)));
    EXPECT_TRUE(mask.contains(QPoint(320, 150)));
    form.setRegion(std::nullopt);
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST_F(QtBackendTest, FixedDialogsOfferNoMinimiseOrMaximise) {
    Form form("frmFixed");
    form.setClientSize(3000, 1500);
    form.setBorderStyle(BorderStyle::FixedDialog);
    FormWindow& window = shown(form);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window.size(), QSize(200, 100)) << "fixed at the client size";
}

struct Counts {
    int changes = 0;
    std::vector<std::string> clicks;
    std::vector<std::pair<std::string, int>> keys;  // focus ("" for the form) and key code
};

TEST_F(QtBackendTest, TheUsersActionsReachTheModelOnce) {
    SampleForm form;
    Counts counts;
    UrlCatcher urls;
    form.setKeyPreview(true);
    // The modifier keys' own presses are left out.
    const auto modifier = [](int key) { return key >= 16 && key <= 18; };
    form.onKeyDown = [&](int key, int) {
        if (!modifier(key)) {
            counts.keys.emplace_back("form", key);
        }
    };
    Control& name = form.control("txtName");
    name.onChange = [&] { ++counts.changes; };
    for (const char* clickable : {"cmdGo", "cmdInside", "chkSure", "lbxItems", "lblName", "picLogo",
                                  "hrlHome", "hrlLogo", "mnuFile", "mnuFile_Open"}) {
        form.control(clickable).onClick = [&counts, clickable] {
            counts.clicks.emplace_back(clickable);
        };
        form.control(clickable).onKeyDown = [&counts, modifier, clickable](int key, int) {
            if (!modifier(key)) {
                counts.keys.emplace_back(clickable, key);
            }
        };
    }
    form.onClick = [&] { counts.clicks.emplace_back("form"); };
    FormWindow& window = shown(form);

    auto& edit = child<QLineEdit>(window, "txtName");
    edit.setFocus();
    QTest::keyClicks(&edit, "ab");
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_Eacute, QStringLiteral("\u00E9"), {});
    EXPECT_EQ(name.text(), "ab\xC3\xA9");
    EXPECT_EQ(counts.changes, 3) << "once per typed character";
    EXPECT_EQ(name.selStart(), 3) << "the caret after the typed text, in code points";
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(std::pair(name.selStart(), name.selLength()), std::pair(2, 1));

    // A button ignores Esc, so Qt passes it on to the frame and the window: still one key.
    counts.keys.clear();
    auto& inside = child<QPushButton>(window, "cmdInside");
    inside.setFocus();
    QTest::keyClick(&inside, Qt::Key_Escape);
    QTest::keyClick(&inside, Qt::Key_X, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(counts.keys, (std::vector<std::pair<std::string, int>>{
                               {"form", 27}, {"cmdInside", 27}, {"form", 88}, {"cmdInside", 88}}));
    EXPECT_TRUE(counts.clicks.empty()) << "no button presses itself on Esc";

    const auto clickOn = [&](const char* widget) {
        QWidget& target = child<QWidget>(window, widget);
        QTest::mouseClick(&target, Qt::LeftButton, {}, QPoint(6, target.height() / 2));
    };
    for (const char* clicked :
         {"cmdGo", "cmdInside", "chkSure", "lblName", "picLogo", "hrlHome", "hrlLogo"}) {
        clickOn(clicked);
    }
    auto& list = child<QListWidget>(window, "lbxItems");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(2)).center());
    QTest::mouseClick(&window.client(), Qt::LeftButton, {}, QPoint(2, 2));
    child<QAction>(window, "mnuFile_Open").trigger();
    EXPECT_EQ(counts.clicks,
              (std::vector<std::string>{"cmdGo", "cmdInside", "chkSure", "lblName", "picLogo",
                                        "hrlHome", "hrlLogo", "lbxItems", "form", "mnuFile_Open"}));
    EXPECT_EQ(form.control("chkSure").value(), 1);
    EXPECT_EQ(form.control("lbxItems").listIndex(), 2);
    EXPECT_EQ(urls.opened, (std::vector<std::string>{"sumora-test:home", "sumora-test:logo"}));
}

TEST_F(QtBackendTest, InputBeneathAModalFormIsRefusedAndTheWidgetShowsTheModel) {
    SampleForm main;
    Form dialog("frmDialog");
    dialog.setClientSize(3000, 1500);
    FormWindow& window = shown(main);
    bool checked = false;
    // The step runs in the modal form's own event loop.
    QTimer::singleShot(50, [&] {
        guarded([&] {
            auto& box = child<QCheckBox>(window, "chkSure");
            QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
            EXPECT_EQ(main.control("chkSure").value(), 0) << "refused beneath the modal form";
            EXPECT_FALSE(box.isChecked()) << "and not shown ticked";
            checked = true;
        });
        desktop().unload(dialog);
    });
    desktop().showModal(dialog);
    EXPECT_TRUE(checked);
}

TEST_F(QtBackendTest, SelectionMadeOnFocusSurvivesTheClickThatGaveIt) {
    SampleForm form;
    Control& name = form.control("txtName");
    name.setText("C:\\Data\\photo.jpg");
    name.onGotFocus = [&] { name.setSelection(0, 17); };
    FormWindow& window = shown(form);
    auto& edit = child<QLineEdit>(window, "txtName");
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(20, edit.height() / 2));
    QTest::qWait(20);
    EXPECT_EQ(edit.selectedText().toStdString(), "C:\\Data\\photo.jpg");
    EXPECT_EQ(std::pair(name.selStart(), name.selLength()), std::pair(0, 17));
}

// An uncompressed 8-bit AVI of 4 × 4 pixels: frame 0 red, frame 1 blue, 100 ms each.
std::string twoFrameClip() {
    std::string out;
    const auto u32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    const auto chunk = [&](const std::string& id, const std::string& data) {
        return id + u32(static_cast<std::uint32_t>(data.size())) + data +
               (data.size() % 2 != 0 ? std::string(1, '\0') : std::string());
    };
    const auto list = [&](const std::string& type, const std::string& body) {
        return chunk("LIST", type + body);
    };
    std::string avih = u32(100'000) + std::string(52, '\0');
    std::string strh = "vids" + std::string(16, '\0') + u32(1) + u32(10) + std::string(24, '\0');
    std::string strf = u32(40) + u32(4) + u32(4) + std::string("\x01\x00\x08\x00", 4) + u32(0) +
                       u32(16) + u32(0) + u32(0) + u32(2) + u32(0) + u32(0x00FF0000) +
                       u32(0x000000FF);
    const std::string movi =
        chunk("00db", std::string(16, '\0')) + chunk("00db", std::string(16, '\1'));
    const std::string body =
        "AVI " +
        list("hdrl",
             chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf))) +
        list("movi", movi);
    return "RIFF" + u32(static_cast<std::uint32_t>(body.size())) + body;
}

TEST_F(QtBackendTest, AnAnimationPaintsTheFramesOfItsClipInTurn) {
    testing_support::TempFolder folder;
    const std::string clip = folder.writeFile("Download.AVI", twoFrameClip());
    SampleForm form;
    Control& animation = form.control("aniWait");
    animation.setAutoPlay(true);
    FormWindow& window = shown(form);
    QWidget& view = child<QWidget>(window, "aniWait");
    const auto centre = [&] { return view.grab().toImage().pixelColor(20, 20); };
    const QColor before = centre();

    ASSERT_TRUE(animation.openClip(clip));
    std::vector<QColor> seen;
    for (int turn = 0; turn < 60 && seen.size() < 3; ++turn) {
        const QColor now = centre();
        if (seen.empty() || seen.back() != now) {
            seen.push_back(now);
        }
        QTest::qWait(20);
    }
    ASSERT_GE(seen.size(), 3u) << "the frames follow one another and the clip repeats";
    EXPECT_TRUE(seen[0] == QColor(255, 0, 0) || seen[0] == QColor(0, 0, 255));
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_EQ(seen[0], seen[2]);

    animation.closeClip();
    EXPECT_EQ(centre(), before) << "nothing is painted without a clip";
}

struct BoxCase {
    const char* name;
    MessageButtons buttons;
    MessageIcon icon;
    QMessageBox::Icon qtIcon;
    std::optional<QMessageBox::StandardButton> press;  // none: Esc
    MessageResult expected;
};

void PrintTo(const BoxCase& box, std::ostream* out) {
    *out << box.name;
}

class MessageBoxTest : public QtFixture, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxTest, ShowsTheBoxAndReportsTheChoice) {
    const BoxCase& box = GetParam();
    whenModalShown([&](QWidget& modal) {
        auto* shownBox = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(shownBox, nullptr);
        EXPECT_EQ(shownBox->windowTitle().toStdString(), "Výsledek");
        EXPECT_EQ(shownBox->text().toStdString(), "První řádek\nDruhý");
        EXPECT_EQ(shownBox->icon(), box.qtIcon);
        if (box.press) {
            QTest::mouseClick(shownBox->button(*box.press), Qt::LeftButton);
        } else {
            QTest::keyClick(shownBox, Qt::Key_Escape);
        }
    });
    EXPECT_EQ(desktop().messageBox("První řádek\r\nDruhý", box.buttons, box.icon, "Výsledek"),
              box.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageBoxTest,
    ::testing::Values(BoxCase{"OkEsc",
                              MessageButtons::Ok,
                              MessageIcon::None,
                              QMessageBox::NoIcon,
                              {},
                              MessageResult::Ok},
                      BoxCase{"YesNoEsc",
                              MessageButtons::YesNo,
                              MessageIcon::Question,
                              QMessageBox::Question,
                              {},
                              MessageResult::No},
                      BoxCase{"YesNoYes", MessageButtons::YesNo, MessageIcon::Exclamation,
                              QMessageBox::Warning, QMessageBox::Yes, MessageResult::Yes},
                      BoxCase{"RetryCancelEsc",
                              MessageButtons::RetryCancel,
                              MessageIcon::Critical,
                              QMessageBox::Critical,
                              {},
                              MessageResult::Cancel},
                      BoxCase{"RetryCancelRetry", MessageButtons::RetryCancel,
                              MessageIcon::Information, QMessageBox::Information,
                              QMessageBox::Retry, MessageResult::Retry}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ui::qt::testing

#include "QtBackendTest.moc"
