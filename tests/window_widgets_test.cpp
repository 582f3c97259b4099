#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <cstring>

#include "engine/weapons.h"
#include "settings/qt/browse_folder.h"
#include "tests/support/testing.h"
#include "ui/qt/form1_window.h"

namespace tovrik { namespace {

using testing::Match;
using testing::ScopedEnv;
using testing::TempDir;

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        dir.write("app/path.dat", dir.path() + "/stats");
        dir.mkdir("stats");
        dir.write("app/tovrik-stats.portable", "");
        window.form().AppDir = dir / "app";
        EXPECT_TRUE(window.load());
        window.show();
    }
    template <typename T = QWidget>
    T* child(const QString& name) {
        return window.findChild<T*>(name);
    }
    QListWidget* list(const char* name) { return child<QListWidget>(name); }
    std::string label(int n) { return child<QLabel>("Label" + QString::number(n))->text().toStdString(); }
    // Expects each label, by its number, to show its text: expectLabels(6, "Thompson", 26, "2").
    void expectLabels() {}
    template <typename... More>
    void expectLabels(int n, const char* text, More... more) {
        EXPECT_EQ(label(n), text) << "Label" << n;
        expectLabels(more...);
    }
    void click(const char* name, const QString& entry, Qt::KeyboardModifiers modifiers = {}) {
        QListWidget* l = list(name);
        QList<QListWidgetItem*> found = l->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry.toStdString();
        l->scrollToItem(found[0]);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, modifiers, l->visualItemRect(found[0]).center());
    }
    QColor chartPixel(int x, int y) { return child<ChartWidget>("Picture1")->image().pixelColor(x, y); }
    // The entries of a list, or only its selected ones.
    QStringList entries(const char* name, bool selected = false) {
        QStringList all;
        for (int row = 0; row < list(name)->count(); ++row)
            if (!selected || list(name)->item(row)->isSelected()) all << list(name)->item(row)->text();
        return all;
    }

    // The window with the folders it would open kept instead.
    struct Window : Form1Window {
        using Form1Window::Form1Window;
        void openFolder(const std::string& folder) override { opened.push_back(folder); }
        std::vector<std::string> opened;
    };
    TempDir dir;
    Window window{nullptr, QString::fromStdString(dir.path())};  // an instance of this test's own
};

TEST_F(WindowTest, StartUpState) {
    EXPECT_EQ(window.windowTitle(), "Tovrik Stats v0.1");
    EXPECT_EQ(entries("List2").size(), static_cast<int>(Weapons().size()));
    EXPECT_EQ(entries("List2").back().toStdString(), Weapons().back());
    EXPECT_TRUE(entries("List2", true).isEmpty());
    EXPECT_EQ(entries("List3"), QStringList{"-- All maps --"});
    EXPECT_FALSE(list("List3")->isEnabled());
    EXPECT_GE(list("List1")->geometry().top(), window.height());  // out of sight
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), list("List2"));
    QStringList tabs;  // the lists, then the title band's buttons from left to right
    for (QWidget* at = list("List2"); tabs.size() < 5; at = at->nextInFocusChain())
        if (at->focusPolicy() & Qt::TabFocus) tabs << at->objectName();
    EXPECT_EQ(tabs, (QStringList{"List2", "List3", "OpenBreakdown", "ChooseFolder", "List2"}));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint) << "a window of one size";
    expectLabels(5, "All map", 6, "none", 24, "0%", 1, "Version : 0.1");
    // The guide lines drawn during start-up, before the window was shown.
    for (int y : {1280 / 15, 640 / 15, 1920 / 15}) EXPECT_EQ(chartPixel(200, y), QColor(0, 0, 130)) << y;
    EXPECT_EQ(window.grab().toImage().pixelColor(16 + 200, 40 + 100), QColor(0, 0, 64));  // shown, on the window
}

// The figures' texts are the core's; here they reach the labels, the chart and the lists.
TEST_F(WindowTest, SelectionsFillLabelsChartAndMaps) {
    dir.write("stats/2026.12.06/1.txt", Match("radar", "Thompson: 40.0 4/10 3 1 1"));
    dir.write("stats/2026.12.06/2.txt", Match("Battery", "Thompson: 60.0 6/10 1 1 0"));
    dir.write("stats/2026.12.07/1.txt", Match("adlernest", "Colt: 60.0 6/10 1 1 0"));
    dir.write("stats/2026.12.07/2.txt", Match("base2", "Colt: 60.0 6/10 1 1 0"));
    click("List2", "Thompson");
    expectLabels(6, "Thompson", 5, "All maps", 26, "2", 18, "50%", 24, "50%", 22, "40%", 23, "60%");
    // The curve from (0, 1536) to (6975, 1024) with its white mark, and the mean line over the middle guide line.
    EXPECT_EQ(chartPixel(0, 1536 / 15), QColor(255, 255, 255));
    EXPECT_EQ(chartPixel(300, 1280 / 15), QColor(0, 100, 0));
    std::vector<int> red;
    for (int y = 60; y < 110; ++y)
        if (chartPixel(116, y) == QColor(255, 0, 0)) red.push_back(y);
    EXPECT_EQ(red, std::vector<int>{93});  // a quarter of the way up from 1536 to 1024 twips
    EXPECT_TRUE(list("List3")->isEnabled());
    EXPECT_EQ(entries("List3"), (QStringList{"-- All maps --", "adlernest", "base2", "Battery", "radar"}));
    click("List3", "radar");
    expectLabels(5, "radar", 26, "1", 24, "40%");
    child<QLabel>("Label26")->setText("not run again");
    click("List2", "Thompson", Qt::ControlModifier);  // one weapon stays chosen
    EXPECT_EQ(entries("List2", true), QStringList{"Thompson"});
    expectLabels(26, "not run again");
    click("List2", "Colt", Qt::ControlModifier);  // another entry is chosen as with a plain click
    expectLabels(6, "Colt", 26, "0");             // no Colt on radar
    EXPECT_EQ(entries("List3").size(), 5);
    list("List2")->setFocus();  // the keyboard selects and runs too
    QTest::keyClick(list("List2"), Qt::Key_Home);
    expectLabels(6, "Knife", 15, "0");
}

// What files hold is shown as plain text, never as markup.
TEST_F(WindowTest, RunTimeErrorLeavesTheWindowUsable) {
    std::string bad = dir.write("stats/bad.txt", Match("<h1>radar</h1>", "Thompson: 40.0 4/10 <img\tsrc=x> 1 1"));
    dir.write("stats/good.txt", Match("<h1>radar</h1>", "Colt: 40.0 4/10 3 1 1"));
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->textFormat() == Qt::PlainText ? box->text() : "rich text";
        box->accept();
    });
    click("List2", "Thompson");
    EXPECT_EQ(shown.toStdString(), bad + ", line 3: \"<img\\tsrc=x>\" is not a whole number.");
    expectLabels(6, "Thompson", 26, "-", 10, "-", 24, "-", 22, "-");  // what ran, and no figure that is not its own
    EXPECT_TRUE(child("RunStopped")->isVisible()) << "and over the chart after the box";
    click("List2", "Colt");
    EXPECT_FALSE(child("RunStopped")->isVisible()) << "gone with a run that completes";
    click("List3", "<h1>radar</h1>");
    expectLabels(26, "1");
    EXPECT_EQ(child<QLabel>("Label5")->toolTip(), "<h1>radar</h1>");  // cut to fit, whole on hover
    for (QLabel* label : window.findChildren<QLabel*>(QRegularExpression("^Label")))
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    std::string before = testing::Slurp(dir / "app/path.dat");
    EXPECT_TRUE(window.close());
    EXPECT_EQ(testing::Slurp(dir / "app/path.dat"), before);  // closing writes nothing
}

// For a player who keeps the window open: the keyboard alone, the match behind a point, new matches shown by
// themselves, another folder, the last choice at the next start, and a chart as sharp as the screen.
TEST_F(WindowTest, KeptOpenByAPlayer) {
    dir.write("stats/2026.12.06/120000.txt", Match("radar", "Thompson: 40.0 4/10 3 1 1"));
    dir.write("stats/2026.12.06/130000.txt", Match("radar", "Knife: 1 0 0"));
    list("List2")->setFocus();
    QTest::keyClick(list("List2"), Qt::Key_Down);  // the first Down chooses the first weapon
    expectLabels(6, "Knife", 26, "1");
    QTest::keyClick(list("List2"), Qt::Key_End);
    QTest::keyClick(list("List2"), Qt::Key_Up);  // moves and chooses, as a click
    list("List2")->setCurrentRow(4);
    expectLabels(6, "Thompson", 26, "1", 24, "40%", 22, "40%");
    // The one point of the curve names its match.
    QHelpEvent hover(QEvent::ToolTip, QPoint(0, 2 * 1536 / 30), QPoint(0, 0));
    QApplication::sendEvent(child<ChartWidget>("Picture1"), &hover);
    EXPECT_EQ(QToolTip::text().toStdString(),
              "2026-12-06 12:00:00  radar  40%\n" + (dir / "stats/2026.12.06/120000.txt"));
    QCoreApplication::processEvents();  // a new match shows by itself once the folders are watched, its map listed
    const QString oasis = "oasis-by-the-sea-at-dusk";  // wider than the list: whole on hover
    dir.write("stats/2026.12.07/120000.txt", Match(oasis.toStdString(), "Thompson: 20.0 2/10 1 0 0"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return label(26) == "2"; }, 10000));
    EXPECT_EQ(entries("List3"), (QStringList{"-- All maps --", oasis, "radar"}));
    auto tipOver = [&](const QString& map) {
        QPoint at = list("List3")->visualItemRect(list("List3")->findItems(map, {})[0]).center();
        QHelpEvent over(QEvent::ToolTip, at, list("List3")->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list("List3")->viewport(), &over);
        return QToolTip::text();
    };
    EXPECT_EQ(tipOver(oasis), oasis);
    EXPECT_NE(tipOver("radar"), "radar");
    std::string other = dir.mkdir("other");  // Ctrl+O: another folder, the current choice run there and kept
    dir.write("other/a.txt", Match("base", "Thompson: 50.0 5/10 0 0 0"));
    QTimer::singleShot(0, [&] {
        auto* browser = qobject_cast<BrowseFolderDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        browser->SetSelection(other);
        QTest::mouseClick(browser->findChild<QPushButton*>("ok"), Qt::LeftButton);
    });
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    expectLabels(26, "1", 24, "50%");
    EXPECT_EQ(entries("List3"), (QStringList{"-- All maps --", "base"}));
    EXPECT_EQ(testing::Slurp(dir / "app/path.dat"), other);
    click("List3", "base");
    QApplication::setActiveWindow(&window);  // as after the browser closed
    QTest::keyClick(list("List3"), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()) << "Esc, pressed on the way back from the game, closes nothing";
    QTest::keyClick(list("List3"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    Form1Window next(nullptr, QString::fromStdString(dir / "next"));  // the next start
    next.form().AppDir = dir / "app";
    ASSERT_TRUE(next.load());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !next.findChild<QListWidget*>("List3")->selectedItems().isEmpty(); }));
    EXPECT_EQ(next.findChild<QListWidget*>("List2")->selectedItems().at(0)->text(), "Thompson");
    EXPECT_EQ(next.findChild<QListWidget*>("List3")->selectedItems().at(0)->text(), "base");
    EXPECT_EQ(ChartWidget(nullptr, 2).image().size(), QSize(930, 342));  // at a device-pixel ratio of 2
}

// The breakdown follows the window's choice and its folder's changes. A run a file change starts never opens a
// box, nor does the breakdown's: why it stopped shows over the chart, its folder a click away, until a run completes.
TEST_F(WindowTest, BreakdownFollowsAndRunsAFileChangeStartsNeverInterrupt) {
    dir.write("stats/2026.12.06/120000.txt", Match("radar", "Thompson: 40.0 4/10 3 1 1"));
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
    BreakdownWindow* breakdown = window.breakdown();
    ASSERT_NE(breakdown, nullptr);
    EXPECT_EQ(breakdown->findChild<QComboBox*>("Subject")->itemText(0), "Knife") << "none chosen: the first";
    click("List2", "Thompson");
    EXPECT_EQ(breakdown->findChild<QComboBox*>("Subject")->itemText(0), "Thompson");
    QAbstractItemModel* groups = breakdown->findChild<QTableView*>("Groups")->model();
    auto games = [&] { return groups->rowCount() ? groups->index(groups->rowCount() - 1, 1).data().toString() : ""; };
    // Its first read, which the player asked for, done before the file changes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return games() == "1"; }, 10000));
    QCoreApplication::processEvents();  // the folders watched
    const std::string bad = dir.write("stats/2026.12.07/120000.txt", Match("radar", "Thompson: 40.0 4/1x 3 1 1"));
    const QString why = QString::fromStdString(bad + ", line 3: \"1x\" is not a whole number.");
    auto* strip = child("RunStopped");
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip->isVisible(); }, 10000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(child<QLabel>("StopText")->toolTip(), why);
    expectLabels(26, "-", 24, "-");
    auto* status = breakdown->findChild<QLabel*>("Status");
    EXPECT_TRUE(QTest::qWaitFor([&] { return status->text() == "Stopped: " + why; }, 10000));
    EXPECT_EQ(breakdown->findChild<QMessageBox*>(), nullptr);
    QTest::mouseClick(strip->findChild<QToolButton*>("OpenStopFolder"), Qt::LeftButton);
    EXPECT_EQ(window.opened, std::vector<std::string>{dir / "stats/2026.12.07"});
    dir.write("stats/2026.12.07/120000.txt", Match("radar", "Thompson: 20.0 2/10 1 0 0"));  // mended in place
    EXPECT_TRUE(QTest::qWaitFor([&] { return !strip->isVisible(); }, 10000));
    expectLabels(26, "2");
    EXPECT_TRUE(QTest::qWaitFor([&] { return games() == "2"; }, 10000)) << "the breakdown too";
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_TRUE(breakdown->reading()) << "F5 reads the breakdown again too";
    QTest::keyClick(breakdown, Qt::Key_Escape);
    EXPECT_FALSE(breakdown->isVisible());
    child<QPushButton>("OpenBreakdown")->click();
    EXPECT_TRUE(breakdown->isVisible());
    std::filesystem::remove_all(dir / "stats");  // the folder gone is said; made again, it is watched from its path
    ASSERT_TRUE(QTest::qWaitFor([&] { return strip->isVisible(); }, 10000));
    EXPECT_EQ(child<QLabel>("StopText")->toolTip().toStdString(),
              dir / "stats: the folder cannot be listed: No such file or directory.");
    dir.write("stats/2026.12.08/120000.txt", Match("radar", "Thompson: 20.0 2/10 1 0 0"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !strip->isVisible(); }, 10000));
    expectLabels(26, "1");
}

// A file changed less than the settle time ago may still be being written: the run waits for it.
TEST(Watch, AFileWrittenLessThanASecondAgoIsWaitedFor) {
    TempDir dir;
    const QString file = QString::fromStdString(dir.write("day/a.txt", "x"));
    const QDateTime written = QFileInfo(file).lastModified();
    const QStringList folders{QString::fromStdString(dir.mkdir("empty")), QString::fromStdString(dir / "day")};
    EXPECT_TRUE(Form1Window::StillBeingWritten(folders, written.addMSecs(999)));
    EXPECT_FALSE(Form1Window::StillBeingWritten(folders, written.addMSecs(1000)));
    EXPECT_FALSE(Form1Window::StillBeingWritten({folders[0]}, written));
}

// Every weapon of the sample statistics under a decimal point (which cuts no less than a comma): each label whole;
// then the report's chart is the window's chart box after the same run, pixel for pixel.
TEST_F(WindowTest, SampleStatisticsLabelsAndTheReportsChart) {
    window.form().StatsDir = TOVRIK_EXAMPLES "/stats";
    window.form().DecimalSeparator = '.';
    for (int row = 0; row < list("List2")->count(); ++row) {
        list("List2")->setCurrentRow(row);
        for (QLabel* label : window.findChildren<QLabel*>(QRegularExpression("^Label\\d+$")))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->text().toStdString();
    }
    list("List2")->setCurrentRow(4);  // the Thompson
    expectLabels(6, "Thompson", 18, "27.5%");
    std::string report = TOVRIK_REPORT " --chart '" + (dir / "t.png") + "' " TOVRIK_EXAMPLES "/stats Thompson";
    ASSERT_EQ(std::system((report + " >/dev/null").c_str()), 0);
    QImage png(QString::fromStdString(dir / "t.png"));
    EXPECT_EQ(png.size(), QSize(465, 171));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), child<ChartWidget>("Picture1")->image());
}

// A socket of the abstract namespace listening on `name` (never accepting), or connected to it; -1 when it cannot be.
int Socket(const QString& name, bool listening) {
    const QByteArray bytes = name.toLocal8Bit();
    sockaddr_un address{AF_UNIX, {}};
    std::memcpy(address.sun_path + 1, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + std::size_t(bytes.size()));
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    auto* at = reinterpret_cast<sockaddr*>(&address);
    if (listening ? bind(fd, at, size) != 0 || listen(fd, 4) != 0 : connect(fd, at, size) != 0) return close(fd), -1;
    return fd;
}

// One window per user and display: a second start raises the first, restored, and ends; a holder of the name that
// never answers does not hold a start up.
TEST(SingleInstance, ASecondStartRaisesTheFirstOnItsDisplay) {
    TempDir dir;
    const QString name = QString::fromStdString(dir.path());  // this test's own display
    Form1Window first(nullptr, name), second(nullptr, name);
    ASSERT_FALSE(first.AnotherInstanceRunning());
    first.showMinimized();
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(second.AnotherInstanceRunning());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tovrik-stats: the window already open on this display was brought to the front.\n");
    EXPECT_TRUE(first.isVisible());
    EXPECT_FALSE(first.windowState() & Qt::WindowMinimized);
    int mute = Socket(name + "-mute", true);
    ASSERT_GE(mute, 0);
    Form1Window beside(nullptr, name + "-mute");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(beside.AnotherInstanceRunning());  // the wait has a bound of its own: no hang
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tovrik-stats: the window open on this display does not answer; this one opens beside it.\n");
    close(mute);
    ScopedEnv display("DISPLAY", ":7.1");
    EXPECT_EQ(Form1Window::InstanceName(), QString("tovrik-stats-%1-:7").arg(getuid())) << "a display, any screen";
}

// Nobody else can stand in for the user's window, nor raise it.
TEST(SingleInstance, AnotherUsersSocketIsNeitherFollowedNorAnswered) {
    if (geteuid() != 0) GTEST_SKIP() << "a second user's socket needs root to make";
    TempDir dir;
    const QString name = QString::fromStdString(dir.path());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {  // binds the name as nobody, says so, and waits to be killed
        if (setgid(65534) != 0 || setuid(65534) != 0 || Socket(name, true) < 0) _exit(1);
        if (write(ready[1], "x", 1) != 1) _exit(1);
        pause();
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    Form1Window start(nullptr, name);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(start.AnotherInstanceRunning());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tovrik-stats: another user holds the name this display's window is found by; this window opens "
              "without it.\n");
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    close(ready[0]), close(ready[1]);
    Form1Window first(nullptr, name + "-first");
    ASSERT_FALSE(first.AnotherInstanceRunning());
    const auto answered = testing::AsNobody(
        [&] {  // 0: the connection closed unanswered
            int fd = Socket(name + "-first", false);
            char reply[16];
            return fd < 0 ? 2 : write(fd, "raise\n", 6) == 6 && read(fd, reply, sizeof reply) > 0 ? 1 : 0;
        },
        [deadline = QDeadlineTimer(20000)] {  // the window answers meanwhile
            return QTest::qWait(10), !deadline.hasExpired();
        });
    EXPECT_EQ(answered, 0);
    EXPECT_FALSE(first.isVisible());
}

// Runs `act` on the folder browser once open; returns what BrowseFolder returns.
std::string Browse(std::int32_t flags, const std::string& start, const std::function<void(BrowseFolderDialog*)>& act,
                   const std::string& note = "") {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<BrowseFolderDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no folder browser open";
        act(dialog);
    });
    return BrowseFolder("Selection du repertoire ET stats :", start, kFolderDrives, flags, nullptr, "", note);
}

// The status text follows the selection, which is kept in sight as the folders above it load; without a start
// folder nothing is chosen before a click, not by Enter; a note goes under the folders.
TEST(BrowseDialog, SelectionStatusOkAndCancel) {
    static const char* const kNote =
        "A note of three lines or so, under the folders and over the buttons, "
        "none of it cut or hidden whatever the font.";
    TempDir dir;
    for (int i = 0; i < 40; ++i) dir.mkdir("a" + std::to_string(10 + i));  // far more than the tree shows
    std::string start = dir.mkdir("ET stats"), other = dir.mkdir("other");
    std::string result = Browse(0, start, [&](BrowseFolderDialog* dialog) {
        auto* tree = dialog->findChild<QTreeView*>("tree");
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        EXPECT_EQ(dialog->findChild<QLabel*>("prompt")->text(), "Selection du repertoire ET stats :");
        EXPECT_EQ(dialog->findChild<QLabel*>("note"), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->filePath(tree->currentIndex()).toStdString() == start; }));
        auto inSight = [&] {
            QRect place = tree->visualRect(tree->currentIndex());
            return place.isValid() && tree->viewport()->rect().contains(place.center());
        };
        auto rows = [&](const std::string& folder) {
            return model->rowCount(model->index(QString::fromStdString(folder)));
        };
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return rows("/") > 1 && rows(std::filesystem::path(dir.path()).parent_path()) > 0 && rows(dir.path()) == 42;
        }));
        EXPECT_TRUE(QTest::qWaitFor(inSight)) << "the folders above it loaded, it is in sight";
        tree->scrollToTop();
        emit model->directoryLoaded(QString::fromStdString(dir.path()));  // as each level of folders loads
        EXPECT_TRUE(inSight()) << "kept in sight";
        QTest::keyClick(tree, Qt::Key_Shift);  // the user takes over
        tree->scrollToTop();
        emit model->directoryLoaded(QString::fromStdString(dir.path()));
        EXPECT_FALSE(inSight()) << "left where the user put it";
        EXPECT_EQ(dialog->findChild<QLabel*>("status")->geometry(), QRect(11, 36, 290, 42));
        tree->setCurrentIndex(model->index(QString::fromStdString(dir.mkdir("line\nend"))));
        QString said;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            said = box != nullptr ? box->text() : "no box";
            if (box != nullptr) box->accept();
        });
        QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
        EXPECT_EQ(said.toStdString(),
                  "The folder's name holds a control character (a line end, a tab...), which "
                  "cannot be remembered: rename the folder, or choose another.");
        EXPECT_TRUE(dialog->isVisible()) << "a name path.dat cannot keep is refused";
        tree->setCurrentIndex(model->index(QString::fromStdString(other)));
        EXPECT_EQ(dialog->findChild<QLabel*>("status")->text().toStdString(), other);
        QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
    });
    EXPECT_EQ(result, other);
    result = Browse(
        0x41, "",
        [](BrowseFolderDialog* dialog) {
            QLabel* note = dialog->findChild<QLabel*>("note");
            ASSERT_NE(note, nullptr);
            EXPECT_EQ(note->text(), kNote);  // wrapped, whole
            EXPECT_LT(note->geometry().bottom(), dialog->findChild<QPushButton*>("ok")->geometry().top());
            EXPECT_LE(dialog->findChild<QPushButton*>("ok")->geometry().bottom(), dialog->height());
            auto* tree = dialog->findChild<QTreeView*>("tree");
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key_Return);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(dialog->findChild<QPushButton*>("ok")->isEnabled());
            QModelIndex root = tree->model()->index(0, 0, tree->rootIndex());  // the user clicks "/"
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(root).center());
            EXPECT_TRUE(dialog->findChild<QPushButton*>("ok")->isEnabled());
            QTest::mouseClick(dialog->findChild<QPushButton*>("cancel"), Qt::LeftButton);
        },
        kNote);
    EXPECT_EQ(result, "cancel");
}

}}  // namespace tovrik
