#include <gtest/gtest.h>

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
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

struct Counts {
    int changes = 0;
    int clicks = 0;
    std::vector<std::pair<int, int>> keys;  // without the modifier keys' own presses
};

// A form with controls of every kind a window shows, in an order that differs from the tab
// order, and a menu bar.
class SampleForm : public Form {
public:
    SampleForm() : Form("frmSample") {
        caption = "Ukázka";
        clientWidth = 420;
        clientHeight = 300;
        backgroundPicture = "background.main";
        add(ControlKind::Label, "lblTitle", "Titulek", {100, 4, 200, 40}).setFontSize(27.75);
        add(ControlKind::Label, "lblName", "&Jméno && příjmení:", {8, 52, 90, 21});
        add(ControlKind::TextBox, "txtName", "", {100, 48, 200, 24}).setTabIndex(2);
        add(ControlKind::TextBox, "txtOther", "jiný", {100, 78, 200, 24}).setTabIndex(1);
        add(ControlKind::Button, "cmdGo", "&Spustit", {310, 46, 100, 30}).setTabIndex(3);
        Control& stop = add(ControlKind::Button, "cmdStop", "Zastavit", {310, 80, 100, 30});
        stop.setTabIndex(0);
        stop.setEnabled(false);
        add(ControlKind::CheckBox, "chkSure", "Jistě", {8, 110, 120, 21}).setTabIndex(4);
        add(ControlKind::ListBox, "lbxItems", "", {8, 140, 120, 60})
            .setItems({"jedna", "dvě", "tři"});
        add(ControlKind::Frame, "fraBox", "Rámeček", {140, 140, 150, 70});
        add(ControlKind::CheckBox, "chkInside", "Uvnitř", {10, 25, 120, 21})
            .setParentName("fraBox");
        add(ControlKind::Picture, "picLogo", "", {300, 150, 81, 49}).setPicture("logo.crc32");
        add(ControlKind::Picture, "picNone", "", {300, 205, 40, 40}).setPicture("no.such");
        add(ControlKind::HyperLink, "hrlHome", "domovská stránka", {8, 220, 120, 21})
            .setUrl("sumora-test:home");
        Control& bar = add(ControlKind::ProgressBar, "pgbDone", "", {8, 250, 200, 20});
        bar.setMaximum(60);
        bar.setValue(30);
        add(ControlKind::Animation, "aniWait", "", {220, 250, 40, 40});
        add(ControlKind::Timer, "tmrTick").setEnabled(false);
        add(ControlKind::Menu, "mnuFile", "&Soubor");
        add(ControlKind::MenuItem, "mnuFile_Open", "&Otevřít").setParentName("mnuFile");
        add(ControlKind::MenuItem, "mnuFile_Space", "-").setParentName("mnuFile");
        add(ControlKind::MenuItem, "mnuFile_Exit", "&Konec").setParentName("mnuFile");
        add(ControlKind::Menu, "mnuHelp", "&Nápověda");
        add(ControlKind::MenuItem, "mnuHelp_About", "&O programu").setParentName("mnuHelp");
    }
};

// The names of the widgets that Tab visits, in the order it visits them from the first.
std::vector<std::string> tabChain(QWidget& first) {
    std::vector<std::string> names;
    QWidget* widget = &first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().isEmpty()) {
            names.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    } while (widget != &first);
    return names;
}

class QtDesktopTest : public QtFixture {};

TEST_F(QtDesktopTest, WindowShowsTheFormAsDesigned) {
    SampleForm form;
    const int code = runChecking(form, [&](QWidget& window) {
        auto& client = child<QWidget>(window, "client");
        EXPECT_EQ(window.windowTitle().toStdString(), "Ukázka");
        EXPECT_EQ(client.size(), QSize(420, 300));
        auto& bar = child<QMenuBar>(window, "menuBar");
        EXPECT_EQ(window.height(), bar.sizeHint().height() + 300) << "menu bar above the client";
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window is not resizable";

        for (const auto& control : form.controls()) {
            const ControlKind kind = control->kind();
            if (kind == ControlKind::Timer || kind == ControlKind::Menu ||
                kind == ControlKind::MenuItem) {
                continue;
            }
            const auto& widget = child<QWidget>(window, control->name());
            const Rect& g = control->geometry();
            EXPECT_EQ(widget.geometry(), QRect(g.left, g.top, g.width, g.height))
                << control->name();
            EXPECT_EQ(widget.isEnabled(), control->enabled()) << control->name();
        }
        EXPECT_EQ(child<QLabel>(window, "lblName").text().toStdString(), "Jméno & příjmení:");
        EXPECT_EQ(child<QPushButton>(window, "cmdGo").text().toStdString(), "&Spustit");
        EXPECT_EQ(child<QCheckBox>(window, "chkSure").text().toStdString(), "Jistě");
        EXPECT_EQ(child<QGroupBox>(window, "fraBox").title().toStdString(), "Rámeček");
        EXPECT_EQ(child<QCheckBox>(window, "chkInside").parentWidget(),
                  &child<QGroupBox>(window, "fraBox"));
        EXPECT_EQ(child<QLabel>(window, "lblTitle").font().pixelSize(), 37) << "27.75 pt";
        EXPECT_EQ(child<QLabel>(window, "hrlHome").cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(child<QLabel>(window, "picLogo").pixmap().size(), QSize(81, 49));
        EXPECT_TRUE(child<QLabel>(window, "picNone").pixmap().isNull());
        EXPECT_EQ(child<QProgressBar>(window, "pgbDone").maximum(), 60);
        EXPECT_EQ(child<QProgressBar>(window, "pgbDone").value(), 30);
        EXPECT_EQ(child<QListWidget>(window, "lbxItems").count(), 3);

        EXPECT_EQ(tabChain(child<QWidget>(window, "cmdStop")),
                  (std::vector<std::string>{"cmdStop", "txtOther", "txtName", "cmdGo", "chkSure"}));
        EXPECT_EQ(child<QListWidget>(window, "lbxItems").focusPolicy(), Qt::ClickFocus);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_EQ(QApplication::focusWidget(), &child<QLineEdit>(window, "txtOther"))
            << "the first enabled control of the tab order";

        std::vector<std::string> menus;
        for (const QAction* action : bar.actions()) {
            menus.push_back(action->text().toStdString());
        }
        EXPECT_EQ(menus, (std::vector<std::string>{"&Soubor", "&Nápověda"}));
        const auto items = child<QMenu>(window, "mnuFile").actions();
        ASSERT_EQ(items.size(), 3);
        EXPECT_EQ(items[0]->text().toStdString(), "&Otevřít");
        EXPECT_TRUE(items[1]->isSeparator());
        EXPECT_EQ(items[2]->objectName().toStdString(), "mnuFile_Exit");
    });
    EXPECT_EQ(code, kChecksDone);
}

TEST_F(QtDesktopTest, ChangesOfTheModelReachTheWidgets) {
    SampleForm form;
    const int code = runChecking(form, [&](QWidget& window) {
        form.control("lblName").setText("Příjmení:");
        form.control("cmdGo").setEnabled(false);
        form.control("chkSure").setVisible(false);
        form.control("txtName").setGeometry({10, 20, 30, 40});
        form.control("chkSure").setValue(1);
        form.control("pgbDone").setValue(90);
        form.control("lbxItems").setListIndex(1);
        form.control("mnuFile_Exit").setEnabled(false);
        form.control("mnuHelp").setText("Pomo&c");
        form.control("picNone").setPicture("logo.main");

        EXPECT_EQ(child<QLabel>(window, "lblName").text().toStdString(), "Příjmení:");
        EXPECT_FALSE(child<QPushButton>(window, "cmdGo").isEnabled());
        EXPECT_TRUE(child<QCheckBox>(window, "chkSure").isHidden());
        EXPECT_EQ(child<QLineEdit>(window, "txtName").geometry(), QRect(10, 20, 30, 40));
        EXPECT_TRUE(child<QCheckBox>(window, "chkSure").isChecked());
        EXPECT_EQ(child<QProgressBar>(window, "pgbDone").value(), 60) << "held at the maximum";
        EXPECT_EQ(child<QListWidget>(window, "lbxItems").currentRow(), 1);
        EXPECT_FALSE(child<QMenu>(window, "mnuFile").actions()[2]->isEnabled());
        EXPECT_EQ(child<QMenu>(window, "mnuHelp").title().toStdString(), "Pomo&c");
        EXPECT_EQ(child<QLabel>(window, "picNone").pixmap().size(), QSize(113, 49));

        // Positions count code points; the emoji is two UTF-16 units.
        Control& name = form.control("txtName");
        name.setText(
            "a\xF0\x9F\x98\x80"
            "bc");
        name.setSelection(1, 2);
        auto& edit = child<QLineEdit>(window, "txtName");
        EXPECT_EQ(edit.text().toStdString(),
                  "a\xF0\x9F\x98\x80"
                  "bc");
        EXPECT_EQ(edit.selectedText().toStdString(),
                  "\xF0\x9F\x98\x80"
                  "b");
    });
    EXPECT_EQ(code, kChecksDone);
}

TEST_F(QtDesktopTest, TheUsersActionsReachTheModel) {
    SampleForm form;
    Counts counts;
    UrlCatcher urls;
    Control& name = form.control("txtName");
    name.onChange = [&] { ++counts.changes; };
    name.onKeyDown = [&](int key, int shift) {
        if (key < 16 || key > 18) {
            counts.keys.emplace_back(key, shift);
        }
    };
    for (const char* clickable : {"cmdGo", "chkSure", "lbxItems", "hrlHome", "mnuFile_Open"}) {
        form.control(clickable).onClick = [&] { ++counts.clicks; };
    }
    const int code = runChecking(form, [&](QWidget& window) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        auto& edit = child<QLineEdit>(window, "txtName");
        edit.setFocus();
        QTest::keyClicks(&edit, "ab");
        QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_Eacute, QStringLiteral("\u00E9"), {});
        EXPECT_EQ(name.text(), "ab\xC3\xA9");
        EXPECT_EQ(counts.changes, 3) << "once per typed character";
        EXPECT_EQ(name.selStart(), 3) << "the caret after the typed text, in code points";
        QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
        EXPECT_EQ(std::pair(name.selStart(), name.selLength()), std::pair(2, 1));

        counts.keys.clear();
        QTest::keyClick(&edit, Qt::Key_Escape);
        QTest::keyClick(&edit, Qt::Key_F1);
        QTest::keyClick(&edit, Qt::Key_Return);
        QTest::keyClick(&edit, Qt::Key_X, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_7, Qt::AltModifier);
        EXPECT_EQ(counts.keys,
                  (std::vector<std::pair<int, int>>{{27, 0}, {112, 0}, {13, 0}, {88, 3}, {55, 4}}));

        QTest::mouseClick(&child<QPushButton>(window, "cmdGo"), Qt::LeftButton);
        EXPECT_EQ(counts.clicks, 1);
        QTest::mouseClick(&child<QCheckBox>(window, "chkSure"), Qt::LeftButton, {}, QPoint(6, 10));
        EXPECT_EQ(form.control("chkSure").value(), 1);
        EXPECT_EQ(counts.clicks, 2);
        auto& list = child<QListWidget>(window, "lbxItems");
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(2)).center());
        EXPECT_EQ(form.control("lbxItems").listIndex(), 2);
        EXPECT_EQ(counts.clicks, 3);
        QTest::mouseClick(&child<QLabel>(window, "hrlHome"), Qt::LeftButton);
        EXPECT_EQ(urls.opened, std::vector<std::string>{"sumora-test:home"});
        EXPECT_EQ(counts.clicks, 4);
        window.findChild<QAction*>(QStringLiteral("mnuFile_Open"))->trigger();
        EXPECT_EQ(counts.clicks, 5);
    });
    EXPECT_EQ(code, kChecksDone);
}

// The focus handler selects the whole text, as the main window's boxes do; a click would
// otherwise leave only the caret where the mouse was.
TEST_F(QtDesktopTest, SelectionMadeOnFocusSurvivesTheClickThatGaveIt) {
    SampleForm form;
    Control& name = form.control("txtName");
    name.setText("C:\\Data\\photo.jpg");
    name.onGotFocus = [&] { name.setSelection(0, 17); };
    const int code = runChecking(form, [&](QWidget& window) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        auto& edit = child<QLineEdit>(window, "txtName");
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(20, edit.height() / 2));
        QTest::qWait(20);
        EXPECT_EQ(edit.selectedText().toStdString(), "C:\\Data\\photo.jpg");
        EXPECT_EQ(std::pair(name.selStart(), name.selLength()), std::pair(0, 17));
    });
    EXPECT_EQ(code, kChecksDone);
}

TEST_F(QtDesktopTest, TimerFiresWhileEnabled) {
    SampleForm form;
    int ticks = 0;
    Control& timer = form.control("tmrTick");
    timer.setInterval(5);
    timer.onTimer = [&] {
        if (++ticks == 3) {
            timer.setEnabled(false);
        }
    };
    const int code = runChecking(form, [&](QWidget&) {
        QTest::qWait(30);
        EXPECT_EQ(ticks, 0) << "a disabled timer stays silent";
        timer.setEnabled(true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
        QTest::qWait(30);
        EXPECT_EQ(ticks, 3) << "disabled by its handler";
    });
    EXPECT_EQ(code, kChecksDone);
}

TEST_F(QtDesktopTest, ClosingTheMainWindowEndsTheRunAndReleasesTheForm) {
    SampleForm form;
    int closed = 0;
    form.onClosed = [&] { ++closed; };
    QTimer::singleShot(0, [&] {
        if (QWidget* window = desktop().widgetFor(form)) {
            window->close();
        }
    });
    EXPECT_EQ(desktop().run(form), 0);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(desktop().widgetFor(form), nullptr);
    for (const auto& control : form.controls()) {
        EXPECT_FALSE(control->observer) << control->name() << " still observed";
    }
    form.control("txtName").setText("after the window");
}

TEST_F(QtDesktopTest, QuitBeforeTheRunEndsItWithoutShowingTheWindow) {
    SampleForm form;
    desktop().quit(3);
    EXPECT_EQ(desktop().run(form), 3);
}

// A dialog opened from the main window: modal, centred, built anew at each showing.
class DialogForm : public Form {
public:
    DialogForm() : Form("frmDialog") {
        caption = "Dialog";
        clientWidth = 200;
        clientHeight = 100;
        add(ControlKind::TextBox, "txtValue", "první", {10, 10, 180, 24}).setTabIndex(0);
    }
};

TEST_F(QtDesktopTest, ModalDialogsCloseAndQuitEndsEveryLoop) {
    SampleForm main;
    DialogForm dialog;
    std::vector<std::string> shownTexts;
    const int code = runChecking(main, [&](QWidget&) {
        later([&] {
            const QWidget* window = desktop().widgetFor(dialog);
            desktop().closeForm(dialog);
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(window->isModal());
            EXPECT_EQ(window->size(), QSize(200, 100)) << "no menu bar";
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            EXPECT_EQ(window->pos(), QPoint((screen.width() - window->width()) / 2,
                                            (screen.height() - window->height()) / 2));
            shownTexts.push_back(child<QLineEdit>(*window, "txtValue").text().toStdString());
        });
        desktop().showModal(dialog);
        EXPECT_EQ(desktop().widgetFor(dialog), nullptr);
        EXPECT_FALSE(dialog.control("txtValue").observer);

        dialog.control("txtValue").setText("druhý");
        later([&] {
            desktop().quit(9);
            if (const QWidget* window = desktop().widgetFor(dialog)) {
                shownTexts.push_back(child<QLineEdit>(*window, "txtValue").text().toStdString());
            }
        });
        desktop().showModal(dialog);
    });
    EXPECT_EQ(shownTexts, (std::vector<std::string>{"první", "druhý"}));
    EXPECT_EQ(code, 9) << "quit in the dialog ends the main loop with its code";
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
        auto* shown = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->windowTitle().toStdString(), "Výsledek");
        EXPECT_EQ(shown->text().toStdString(), "První řádek\nDruhý");
        EXPECT_EQ(shown->icon(), box.qtIcon);
        if (box.press) {
            QTest::mouseClick(shown->button(*box.press), Qt::LeftButton);
        } else {
            QTest::keyClick(shown, Qt::Key_Escape);
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

TEST(QtDesktopFactory, NeedsADisplayOrAPlatform) {
    const auto saved = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    const std::vector<std::pair<const char*, std::optional<std::string>>> environment = {
        {"QT_QPA_PLATFORM", saved("QT_QPA_PLATFORM")},
        {"DISPLAY", saved("DISPLAY")},
        {"WAYLAND_DISPLAY", saved("WAYLAND_DISPLAY")}};
    for (const auto& [name, value] : environment) {
        unsetenv(name);
    }
    char program[] = "test";
    char* argv[] = {program, nullptr};
    int argc = 1;
    EXPECT_EQ(makeQtDesktop(argc, argv), nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_NE(makeQtDesktop(argc, argv), nullptr);
    for (const auto& [name, value] : environment) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
}

}  // namespace
}  // namespace ui::qt::testing

#include "QtDesktopTest.moc"
