#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "fileio/file_read.h"
#include "tests/test_support.h"
#include "ui/qt/form1_window.h"

namespace tovrik {
namespace {

using testing::TempDir;

std::string Match(const std::string& map, const std::string& row) { return ">>> Map: " + map + "\n\n" + row + "\n"; }

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        dir.write("app/path.dat", dir.path() + "/stats");
        dir.mkdir("stats");
        window.form().AppDir = dir / "app";
        // An instance lock of this test's own, so that tests run side by side.
        qputenv("TMPDIR", QByteArray::fromStdString(dir.path()));
    }
    QListWidget* list(const char* name) { return window.findChild<QListWidget*>(name); }
    QString text(const char* label) { return window.findChild<QLabel*>(label)->text(); }
    // Clicks the entry `entry` of a list, as a user would.
    void click(const char* name, const QString& entry) {
        QListWidget* l = list(name);
        QList<QListWidgetItem*> found = l->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry.toStdString();
        l->scrollToItem(found[0]);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found[0]).center());
    }
    QColor chartPixel(int x, int y) {
        return window.findChild<ChartWidget*>("Picture1")->pixmap().toImage().pixelColor(x, y);
    }
    QStringList entries(const char* name) {
        QStringList all;
        for (int row = 0; row < list(name)->count(); ++row) all << list(name)->item(row)->text();
        return all;
    }

    TempDir dir;
    Form1Window window;
};

TEST_F(WindowTest, StartUpState) {
    ASSERT_TRUE(window.load());
    window.show();
    EXPECT_EQ(window.windowTitle(), "Tovrik Stats v0.1");
    EXPECT_EQ(window.size(), QSize(601, 287));
    EXPECT_EQ(entries("List2"), (QStringList{"Knife", "Luger", "Colt", "MP-40", "Thompson", "FG-42", "Panzer",
                                             "Grenade", "K43 Rifle", "G.Launchr", "Sten", "Garand", "Mortar",
                                             "MG-42 Gun", "Airstrike", "Artillery", "F.Thrower", "Syringe"}));
    EXPECT_TRUE(list("List2")->selectedItems().isEmpty());
    EXPECT_EQ(entries("List3"), QStringList{"-- All maps --"});
    EXPECT_FALSE(list("List3")->isEnabled());
    EXPECT_GE(list("List1")->geometry().top(), window.height());  // out of sight
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), list("List2"));
    QWidget* next = list("List2")->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, list("List3"));  // the tab order
    const std::pair<const char*, const char*> initial[] = {{"Label5", "All map"},
                                                           {"Label26", "0"},
                                                           {"Label6", "none"},
                                                           {"Label10", "0"},
                                                           {"Label12", "0"},
                                                           {"Label18", "0%"},
                                                           {"Label9", "0"},
                                                           {"Label17", "0%"},
                                                           {"Label15", "0"},
                                                           {"Label16", "0"},
                                                           {"Label20", "0"},
                                                           {"Label24", "0%"},
                                                           {"Label22", "0%"},
                                                           {"Label23", "0%"},
                                                           {"Label3", "Map:"},
                                                           {"Label8", "Total headshots:"},
                                                           {"Label1", "Version : 0.1"},
                                                           {"Label2", kHomeAddress}};
    for (auto [label, expected] : initial) EXPECT_EQ(text(label), expected) << label;
    // The guide lines drawn during start-up, before the window was shown.
    EXPECT_EQ(chartPixel(200, 1280 / 15), QColor(0, 0, 130));
    EXPECT_EQ(chartPixel(200, 640 / 15), QColor(0, 0, 130));
    EXPECT_EQ(chartPixel(200, 1920 / 15), QColor(0, 0, 130));
    EXPECT_EQ(chartPixel(200, 100), QColor(0, 0, 64));
    EXPECT_EQ(window.grab().toImage().pixelColor(16 + 200, 40 + 1280 / 15), QColor(0, 0, 130));
}

TEST_F(WindowTest, WeaponSelectionFillsLabelsChartAndMaps) {
    dir.write("stats/2026.12.06/1.txt", Match("radar", "Thompson: 40.0 4/10 3 1 1"));
    dir.write("stats/2026.12.06/2.txt", Match("Battery", "Thompson: 60.0 6/10 1 1 0"));
    dir.write("stats/2026.12.07/1.txt", Match("adlernest", "Colt: 60.0 6/10 1 1 0"));
    dir.write("stats/2026.12.07/2.txt", Match("base2", "Colt: 60.0 6/10 1 1 0"));
    ASSERT_TRUE(window.load());
    window.show();
    click("List2", "Thompson");
    EXPECT_EQ(text("Label6"), "Thompson");
    EXPECT_EQ(text("Label5"), "All maps");
    EXPECT_EQ(text("Label26"), "2");
    EXPECT_EQ(text("Label10"), "20");
    EXPECT_EQ(text("Label12"), "10");
    EXPECT_EQ(text("Label18"), "50%");
    EXPECT_EQ(text("Label17"), "5%");
    EXPECT_EQ(text("Label20"), "2");
    EXPECT_EQ(text("Label24"), "50%");
    EXPECT_EQ(text("Label22"), "40%");
    EXPECT_EQ(text("Label23"), "60%");
    // The curve from (0, 1536) to (6975, 1024) with its white mark, and the
    // mean line over the middle guide line.
    EXPECT_EQ(chartPixel(0, 1536 / 15), QColor(255, 255, 255));
    EXPECT_EQ(chartPixel(300, 1280 / 15), QColor(0, 100, 0));
    QColor onCurve = chartPixel(232, 85 + 0);
    EXPECT_TRUE(onCurve == QColor(255, 0, 0) || onCurve == QColor(0, 100, 0));
    int red = 0;
    for (int y = 60; y < 110; ++y) red += chartPixel(116, y) == QColor(255, 0, 0);
    EXPECT_EQ(red, 1);
    // Maps in case-insensitive order, the list now enabled.
    EXPECT_TRUE(list("List3")->isEnabled());
    EXPECT_EQ(entries("List3"), (QStringList{"-- All maps --", "adlernest", "base2", "Battery", "radar"}));

    click("List3", "radar");
    EXPECT_EQ(text("Label5"), "radar");
    EXPECT_EQ(text("Label26"), "1");
    EXPECT_EQ(text("Label24"), "40%");
    click("List2", "Colt");
    EXPECT_EQ(text("Label26"), "0");  // no Colt on radar
    EXPECT_EQ(entries("List3").size(), 5);
}

TEST_F(WindowTest, KeyboardSelectionRuns) {
    dir.write("stats/1.txt", Match("radar", "Knife: 3 1"));
    ASSERT_TRUE(window.load());
    window.show();
    list("List2")->setFocus();
    QTest::keyClick(list("List2"), Qt::Key_Down);
    QTest::keyClick(list("List2"), Qt::Key_Home);
    EXPECT_EQ(text("Label6"), "Knife");
    EXPECT_EQ(text("Label15"), "3");
}

TEST_F(WindowTest, RunTimeErrorLeavesTheWindowUsable) {
    std::string bad = dir.write("stats/bad.txt", Match("radar", "Thompson: 40.0 4/1O 3 1 1"));
    dir.write("stats/good.txt", Match("radar", "Colt: 40.0 4/10 3 1 1"));
    ASSERT_TRUE(window.load());
    window.show();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->accept();
    });
    click("List2", "Thompson");
    EXPECT_EQ(shown.toStdString(), bad + ", line 3: \"1O\" is not a whole number.");
    EXPECT_EQ(text("Label6"), "Thompson");  // the run got this far
    EXPECT_EQ(text("Label26"), "0");        // and not to the end
    click("List2", "Colt");
    EXPECT_EQ(text("Label26"), "1");
    EXPECT_EQ(entries("List3"), (QStringList{"-- All maps --", "radar"}));
}

TEST_F(WindowTest, ClosingWritesNothing) {
    ASSERT_TRUE(window.load());
    window.show();
    std::string before = testing::Slurp(dir / "app/path.dat");
    EXPECT_TRUE(window.close());
    EXPECT_EQ(testing::Slurp(dir / "app/path.dat"), before);
}

TEST(SecondInstance, EndsAtOnceWithoutAWindow) {
    TempDir tmp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", QString::fromStdString(tmp.path()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    std::string exe = TOVRIK_STATS;
    std::string pathDat = exe.substr(0, exe.rfind('/')) + "/path.dat";
    bool hadPathDat = FileExists(pathDat);

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(TOVRIK_STATS, {});
    ASSERT_TRUE(first.waitForStarted());
    QString lock = QString::fromStdString(tmp.path()) + QString("/tovrik-stats-%1.lock").arg(getuid());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(lock); }, 10000));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(TOVRIK_STATS, {});
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(FileExists(pathDat), hadPathDat);
    first.kill();
    first.waitForFinished();
}

}  // namespace
}  // namespace tovrik
