#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTest>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/qt/QtFixture.h"
#include "ui/CommonDialog.h"

namespace ui::qt::testing {
namespace {

using testing_support::TempFolder;

class OpenFileDialogTest : public QtFixture {
protected:
    // Shows the dialog for the state; act plays the user's part on the dialog.
    bool show(CommonDialog& state, const std::function<void(QFileDialog&)>& act) {
        whenModalShown([act](QWidget& modal) {
            auto* dialog = qobject_cast<QFileDialog*>(&modal);
            if (dialog == nullptr) {
                ADD_FAILURE() << "the modal window is no file dialog";
                modal.close();
                return;
            }
            act(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        return desktop().showOpen(state);
    }

    static std::string nativeOf(const std::string& programPath) {
        return platform::fileSystem().toNative(programPath);
    }

    TempFolder folder;
};

TEST_F(OpenFileDialogTest, OpensInTheStartingFolderAndAcceptsATypedNewName) {
    folder.writeFile("a.crc", "x");
    folder.writeFile("b.txt", "x");
    CommonDialog state;
    state.filter = "Kontrolní soubory|*.CRC|Všechny soubory (*.*)|*.*";
    state.dialogTitle = "Výběr souboru";
    state.hideReadOnly = true;
    state.initDir = folder.programPath();
    const bool accepted = show(state, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Výběr souboru");
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), folder.native().string());
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({"Kontrolní soubory (*.CRC)", "Všechny soubory (*.*) (*)"}));
        auto* files = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(files, nullptr);
        const QModelIndex root = files->index(QString::fromStdString(folder.native().string()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(root) > 0; }, 5000));
        ASSERT_EQ(files->rowCount(root), 1) << "*.CRC matches a.crc only";
        EXPECT_EQ(files->fileName(files->index(0, 0, root)).toStdString(), "a.crc");

        dialog.selectFile(QStringLiteral("nový.crc"));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(state.fileName, folder.programPath() + "nový.crc");
    EXPECT_EQ(nativeOf(state.fileName), (folder.native() / "nový.crc").string());
}

TEST_F(OpenFileDialogTest, WithoutHideReadOnlyOnlyExistingFilesAreAccepted) {
    const std::string existing = folder.writeFile("data.bin", "x");
    CommonDialog state;
    state.initDir = folder.programPath();
    const bool accepted = show(state, [&](QFileDialog& dialog) {
        bool refused = false;
        whenModalShown(
            [&](QWidget& box) {
                refused = qobject_cast<QMessageBox*>(&box) != nullptr;
                box.close();
            },
            &dialog);
        dialog.selectFile(QStringLiteral("chybí.bin"));
        static_cast<QDialog&>(dialog).accept();
        EXPECT_TRUE(refused) << "a missing name is refused with a message";
        EXPECT_TRUE(dialog.isVisible());
        dialog.selectFile(QStringLiteral("data.bin"));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(state.fileName, existing);
}

TEST_F(OpenFileDialogTest, StartsFromTheLastNameWhenThereIsNoStartingFolder) {
    const std::string last = folder.writeFile("sub/photo.jpg", "x");
    for (const std::string& initDir : {std::string(), folder.programPath() + "missing"}) {
        CommonDialog state;
        state.initDir = initDir;
        state.fileName = last;
        const bool accepted = show(state, [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.directory().absolutePath().toStdString(),
                      (folder.native() / "sub").string())
                << "initDir '" << initDir << "'";
            ASSERT_FALSE(dialog.selectedFiles().isEmpty());
            EXPECT_EQ(dialog.selectedFiles().first().toStdString(),
                      (folder.native() / "sub" / "photo.jpg").string());
            dialog.reject();
        });
        EXPECT_FALSE(accepted) << "cancelled";
        EXPECT_EQ(state.fileName, last) << "cancelling leaves the state alone";
    }
}

TEST_F(OpenFileDialogTest, AStartingFileOpensItsFolder) {
    const std::string file = folder.writeFile("inner/x.CRC", "x");
    CommonDialog state;
    state.initDir = file;
    show(state, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(),
                  (folder.native() / "inner").string());
    });
}

}  // namespace
}  // namespace ui::qt::testing
