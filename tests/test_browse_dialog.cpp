#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "settings/qt/browse_folder.h"
#include "tests/support/testing.h"

namespace tovrik {
namespace {

using testing::TempDir;

// Runs `act` on the folder browser once it is open, then returns what
// BrowseFolder returned.
std::string Browse(std::int32_t flags, const std::string& initialPath,
                   const std::function<void(BrowseFolderDialog*)>& act) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<BrowseFolderDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no folder browser open";
            return;
        }
        act(dialog);
    });
    return BrowseFolder("Selection du repertoire ET stats :", initialPath, kFolderDrives, flags, nullptr, "");
}

TEST(BrowseDialog, InitialSelectionStatusTextAndOk) {
    TempDir dir;
    std::string start = dir.mkdir("ET stats");
    std::string other = dir.mkdir("other");
    std::string result = Browse(0, start, [&](BrowseFolderDialog* dialog) {
        EXPECT_EQ(dialog->requestFlags(), 4);
        auto* tree = dialog->findChild<QTreeView*>("tree");
        auto* status = dialog->findChild<QLabel*>("status");
        EXPECT_EQ(dialog->findChild<QLabel*>("prompt")->text(), "Selection du repertoire ET stats :");
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return model->filePath(tree->currentIndex()).toStdString() == start; }, 5000));
        EXPECT_EQ(status->text().toStdString(), start);
        EXPECT_EQ(status->geometry(), QRect(11, 36, 290, 42));
        tree->setCurrentIndex(model->index(QString::fromStdString(other)));
        EXPECT_EQ(status->text().toStdString(), other);
        QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
    });
    EXPECT_EQ(result, other);
}

TEST(BrowseDialog, FlagsAndTheStatusItem) {
    std::string result = Browse(0x41, "", [](BrowseFolderDialog* dialog) {
        EXPECT_EQ(dialog->requestFlags(), 0x45);
        EXPECT_EQ(dialog->findChild<QLabel*>("status")->geometry(), QRect(11, 31, 298, 16));  // left in place
        // The tree takes the focus and makes "/" current: still no choice, and
        // Enter chooses nothing.
        auto* tree = dialog->findChild<QTreeView*>("tree");
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Return);
        QTest::keyClick(dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->findChild<QPushButton*>("ok")->isEnabled());
        QModelIndex root = tree->model()->index(0, 0, tree->rootIndex());  // the user clicks "/"
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(root).center());
        EXPECT_TRUE(dialog->findChild<QPushButton*>("ok")->isEnabled());
        QTest::mouseClick(dialog->findChild<QPushButton*>("cancel"), Qt::LeftButton);
    });
    EXPECT_EQ(result, "cancel");
}

}  // namespace
}  // namespace tovrik
