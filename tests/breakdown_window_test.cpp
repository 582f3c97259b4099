#include "ui/qt/breakdown_window.h"

#include <QtTest>
#include <QtWidgets>
#include <sstream>

#include "app/report_views.h"
#include "engine/weapons.h"
#include "tests/support/testing.h"
#include "ui/qt/open_folder.h"

namespace tovrik { namespace {

using testing::Match;
using testing::Slurp;
using testing::TempDir;
using Cells = std::vector<std::vector<std::string>>;

// What `tovrik-report` prints for the words of `command`.
std::string Report(std::string command) {
    std::vector<char*> argv{command.data()};  // "tovrik-report" stands first
    for (char& c : command)
        if (c == ' ') c = '\0', argv.push_back(&c + 1);
    std::ostringstream out, err;
    EXPECT_EQ(RunReport(ParseReportOptions(static_cast<int>(argv.size()), argv.data(), 0), out, err), 0) << command;
    return out.str();
}

// A figure as a number: "27,5%" is 27.5.
double Number(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return std::stod(text);
}

class BreakdownTest : public ::testing::Test {
protected:
    // The window's cells in the order shown, headers first.
    Cells cells() {
        QAbstractItemModel* model = window.findChild<QTableView*>("Groups")->model();
        Cells rows(model->rowCount() + 1);
        for (int row = -1; row < model->rowCount(); ++row)
            for (int column = 0; column < model->columnCount(); ++column)
                rows[row + 1].push_back(
                    (row < 0 ? model->headerData(column, Qt::Horizontal) : model->index(row, column).data())
                        .toString()
                        .toStdString());
        return rows;
    }
    // Shows `weapon` below `statsDir` with the choices, and waits for the figures.
    void open(const std::string& statsDir, const char* grouping = "Map", const char* since = "",
              const char* until = "") {
        window.show();
        window.showFor(statsDir, "Thompson");
        window.findChild<QComboBox*>("Grouping")->setCurrentText(grouping);
        window.findChild<QLineEdit*>("Since")->setText(since);
        window.findChild<QLineEdit*>("Until")->setText(until);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }, 20000));
    }
    QString status() { return window.findChild<QLabel*>("Status")->text(); }
    QTreeWidget* matches() { return window.findChild<QTreeWidget*>("Matches"); }

    // The window with the folders it would open kept instead.
    struct Window : BreakdownWindow {
        using BreakdownWindow::BreakdownWindow;
        void openFolder(const std::string& folder) override { opened.push_back(folder); }
        std::vector<std::string> opened;
    };

    TempDir dir;
    Window window{nullptr, ','};
};

// Each cell is the report's, its figure cut to one decimal; the rows end with the total.
TEST_F(BreakdownTest, TableIsTheReportsCsvCellByCell) {
    for (const testing::Case& row : testing::Cases("breakdown_views.cases")) {
        const std::string tree = TOVRIK_EXAMPLES "/" + row[1], options = " " + row[3];
        window.findChild<QComboBox*>("Subject")->setCurrentIndex(options.find("--career") != std::string::npos);
        const std::size_t since = options.find("--since "), until = options.find("--until ");
        open(tree, row[2].c_str(), since == std::string::npos ? "" : options.substr(since + 8, 10).c_str(),
             until == std::string::npos ? "" : options.substr(until + 8, 10).c_str());
        std::string csv = Report("tovrik-report --csv " + tree + options);
        EXPECT_TRUE(window.exportCsv(dir / "export.csv")) << row[0];
        EXPECT_EQ(Slurp(dir / "export.csv"), csv) << row[0];
        Cells shown = cells();
        std::istringstream lines(csv);
        std::size_t r = 0;
        for (std::string line; std::getline(lines, line); ++r) {
            std::istringstream fields(line);
            std::size_t c = 0;
            for (std::string expected; std::getline(fields, expected, ',') && c < shown[0].size(); ++c) {
                std::string where = std::string(row[0]) + " row " + std::to_string(r) + " column " + shown[0][c];
                if (r == 0 || c == 0 || shown[0][c] == "Rank")
                    EXPECT_EQ(shown[r][c], expected) << where;
                else if (expected.empty())
                    EXPECT_EQ(shown[r][c], "-") << where;
                else  // one decimal cut against two rounded
                    EXPECT_NEAR(Number(shown[r][c]), Number(expected), 0.105) << where;
            }
        }
        ASSERT_EQ(shown.size(), r + 1) << row[0] << ": the rows and a total";
        EXPECT_EQ(shown.back()[0], "Total") << row[0];
    }
}

TEST_F(BreakdownTest, SortsNumbersAsNumbersWithTheTotalLast) {
    open(TOVRIK_EXAMPLES "/stats", "Weapon");
    auto* view = window.findChild<QTableView*>("Groups");
    const int shots = 2;
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        view->sortByColumn(shots, order);
        Cells shown = cells();
        EXPECT_EQ(shown.back()[0], "Total") << order;
        for (std::size_t r = 2; r + 1 < shown.size(); ++r) {
            double before = Number(shown[r - 1][shots]), here = Number(shown[r][shots]);
            EXPECT_TRUE(order == Qt::AscendingOrder ? before <= here : before >= here) << order << " row " << r;
        }
    }
    view->sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(cells()[1][0], Weapons()[0]) << "the groups in their own order";
    // The best and the worst match of every weapon, each named.
    EXPECT_EQ(matches()->topLevelItem(0)->text(0), "Best, Syringe");
    EXPECT_EQ(matches()->topLevelItem(1)->text(0), "Worst, Luger");
    // A sort outlives new figures of the same grouping; another grouping shows in its own order, its arrow shown.
    QHeaderView* header = view->horizontalHeader();
    view->sortByColumn(shots, Qt::DescendingOrder);
    window.findChild<QLineEdit*>("Since")->setText("2026-09-01");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }));
    EXPECT_EQ(header->sortIndicatorSection(), shots);
    window.findChild<QComboBox*>("Grouping")->setCurrentText("Day");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }));
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(cells()[1][0], "2026-09-02");
    for (int column = 0; column < header->count(); ++column)  // every header whole
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << column;
}

// The career over time: a point a dated group with damage, its text; a choice of players when there are two.
TEST_F(BreakdownTest, CareerChartAndThePlayersChoice) {
    auto match = [](const char* player, const char* damage) {
        return ">>> Map: m\nOverall stats for: " + std::string(player) + " (1 Round)\nColt: 50.0 1/2 2 1 0\n" + damage;
    };
    dir.write("2026.09.01/120000.txt", match("Smoky", "Damage Given: 100    Team Damage: 0\n"));
    dir.write("2026.09.01/130000.txt", match("Smoky", "Damage Given: 300    Team Damage: 0\n"));
    dir.write("2026.09.02/120000.txt", match("Hawk", ""));
    window.findChild<QComboBox*>("Subject")->setCurrentIndex(1);
    open(dir.path(), "Day");
    auto* chart = window.findChild<TimeChart*>("TimeChart");
    ASSERT_EQ(chart->points().size(), 1u) << "the 2nd tells no damage";
    EXPECT_EQ(chart->points()[0].accuracy, 200.0);
    const QPoint at = chart->place(chart->points()[0].day, 200).toPoint();
    EXPECT_EQ(chart->textAt(at), "2026-09-01: damage per game 200,0 over 2 games\ngiven 400, received -");
    EXPECT_EQ(chart->title(), "Career by day, every match");
    EXPECT_TRUE(status().startsWith("Damage given: told by 2 of 3 matches. ")) << status().toStdString();
    auto* player = window.findChild<QComboBox*>("Player");
    EXPECT_TRUE(player->isVisible());
    ASSERT_EQ(player->count(), 3);
    player->setCurrentIndex(2);  // Hawk
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }));
    EXPECT_EQ(cells().back()[1], "1") << "Hawk's one match";
    EXPECT_EQ(cells().back()[9], "2") << "its kills";
    EXPECT_EQ(chart->title(), "Career of Hawk by day, every match");
}

TEST_F(BreakdownTest, PeriodsFoldersKeysAndChart) {
    open(TOVRIK_EXAMPLES "/stats");
    Cells shown = cells();
    int games = 0;
    for (std::size_t r = 1; r + 1 < shown.size(); ++r) games += std::stoi(shown[r][1]);
    EXPECT_EQ(shown.back()[1], std::to_string(games)) << "the total row shows the groups' games";
    EXPECT_EQ(matches()->topLevelItemCount(), 2) << "the best and the worst";
    open(TOVRIK_EXAMPLES "/stats", "Day", "2030-01-01");
    ASSERT_EQ(cells().size(), 2u) << "the total alone";
    EXPECT_EQ(cells()[1][1], "0");
    EXPECT_EQ(cells()[1][10], "-");
    EXPECT_EQ(matches()->topLevelItemCount(), 0);
    EXPECT_TRUE(window.findChild<TimeChart*>("TimeChart")->points().empty());
    open(TOVRIK_EXAMPLES "/stats", "Day", "2026-09-07", "2026-0x-08");  // of ten characters, but no day
    EXPECT_EQ(status(), "A day is written YYYY-MM-DD, as 2026-12-06.");
    EXPECT_EQ(cells().size(), 1u) << "the headers alone";
    open(TOVRIK_EXAMPLES "/stats", "Day", "2026-02-30");
    EXPECT_EQ(status(), "There is no day 2026-02-30 in the calendar.");
    open(TOVRIK_EXAMPLES "/stats", "Day", "2026-09-07", "2026-09-06");
    EXPECT_EQ(status(), "The period ends before it starts.");
    // The last session: the day fields set aside; a day typed again is a period of one's own.
    auto* period = window.findChild<QComboBox*>("Period");
    emit period->activated(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }));
    EXPECT_EQ(cells()[1][0], "2026-09-08");
    EXPECT_EQ(cells()[1][1], "2");
    EXPECT_EQ(status(), "Session: 2026-09-08 20:12 to 2026-09-08 22:09.");
    EXPECT_FALSE(window.findChild<QLineEdit*>("Since")->isEnabled());
    EXPECT_EQ(window.findChild<TimeChart*>("TimeChart")->title(), "Thompson by day, last session");
    emit period->activated(6);  // everything
    EXPECT_EQ(window.findChild<QLineEdit*>("Since")->text(), "");
    EXPECT_TRUE(window.findChild<QLineEdit*>("Until")->isEnabled());
    QTest::keyClicks(window.findChild<QLineEdit*>("Until"), "2026-09-07");
    EXPECT_EQ(period->currentText(), "Chosen days");
    // A double click on each row, the day and the total, and on the best match opens its folder.
    open(TOVRIK_EXAMPLES "/stats", "Day", "2026-09-08", "2026-09-08");
    auto* view = window.findChild<QTableView*>("Groups");
    for (int row : {0, 1}) emit view->doubleClicked(view->model()->index(row, 3));
    emit matches()->itemDoubleClicked(matches()->topLevelItem(0), 2);
    std::string day = TOVRIK_EXAMPLES "/stats/2026.09.08";
    EXPECT_EQ(window.opened, (std::vector<std::string>{day, TOVRIK_EXAMPLES "/stats", day}));
    // Every control by Tab; the chart's hover texts, and the chart as a picture.
    open(TOVRIK_EXAMPLES "/stats", "Week");
    QStringList reached;
    for (QWidget* at = window.findChild<QComboBox*>("Grouping"); reached.size() < 9; at = at->nextInFocusChain())
        if (at->focusPolicy() & Qt::TabFocus) reached << at->objectName();
    EXPECT_EQ(reached, (QStringList{"Grouping", "Period", "Since", "Until", "Groups", "Matches", "ExportCsv",
                                    "SaveChart", "Close"}));
    auto* chart = window.findChild<TimeChart*>("TimeChart");
    ASSERT_EQ(chart->points().size(), 2u) << "two weeks of matches";
    EXPECT_EQ(chart->title(), "Thompson by week, every match");
    EXPECT_EQ(window.proposedFile("csv"),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/thompson-by-week.csv");
    QPoint point = chart->place(chart->points()[0].day, chart->points()[0].accuracy).toPoint();
    EXPECT_EQ(chart->textAt(point + QPoint(3, -3)).toStdString().substr(0, 35), "2026-W36: mean 25,0% over 5 games\nl");
    EXPECT_EQ(chart->textAt(point + QPoint(9, 0)), "") << "away from the point";
    ASSERT_TRUE(window.saveChart(dir / "chart.png"));
    EXPECT_EQ(QImage(QString::fromStdString(dir / "chart.png")).size(), chart->size() * chart->devicePixelRatio());
}

TEST_F(BreakdownTest, ARunTimeErrorIsToldAndTheChoicesStayUsable) {
    dir.write("2026.09.01/120000.txt", Match("radar", "Thompson: 50.0 30/60 2 0 1"));
    dir.write("2026.09.02/120000.txt", Match("radar", "Thompson: 50.0 30/x 2 0 1"));
    open(dir.path());
    auto* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text().toStdString(), dir / "2026.09.02/120000.txt" + ", line 3: \"x\" is not a whole number.");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->accept();
    EXPECT_EQ(cells().size(), 1u);
    open(dir.path(), "Day", "", "2026-09-01");
    EXPECT_EQ(cells().size(), 3u) << "the day before the bad match, and the total";
}

TEST_F(BreakdownTest, ReadsOffTheWindowAndCloseCancels) {
    for (int i = 0; i < 400; ++i)
        dir.write("2026.09.01/" + std::to_string(100000 + i) + ".txt", Match("radar", "Thompson: 50.0 30/60 2 0 1"));
    testing::beforeRead = [](const std::string&) { usleep(5000); };  // a slow read
    BreakdownWindow reader(nullptr, ',', ScanOptions{1});
    QSignalSpy updated(&reader, &BreakdownWindow::updated);
    reader.show();
    reader.showFor(dir.path(), "Thompson");
    EXPECT_TRUE(reader.reading());
    EXPECT_FALSE(reader.findChild<QProgressBar*>("Progress")->isVisible()) << "not in the first half second";
    EXPECT_TRUE(QTest::qWaitFor([&] { return reader.findChild<QProgressBar*>("Progress")->isVisible(); }, 5000));
    QTest::keyClick(&reader, Qt::Key_Escape);
    EXPECT_FALSE(reader.isVisible());
    EXPECT_FALSE(reader.reading());
    QCoreApplication::processEvents();  // what the read may have sent on its way
    EXPECT_EQ(updated.count(), 0) << "a cancelled read shows nothing";
    testing::beforeRead = nullptr;
}

// The window fits the screen it opens on; a folder no file manager can open is said.
TEST(BreakdownScreen, FitsTheScreenAndSaysWhatItCannotOpen) {
    QWidget owner;
    BreakdownWindow window(&owner, ',');
    const QSize room = owner.screen()->availableGeometry().size();
    EXPECT_LE(window.width(), room.width());
    EXPECT_LE(window.height(), room.height());
    QString said;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        said = box->text();
        box->accept();
    });
    OpenFolder(nullptr, "/stats/2026.09.01");  // the offscreen desktop opens nothing
    EXPECT_EQ(said,
              "No file manager could open the folder \"/stats/2026.09.01\": none is set for folders on this "
              "desktop.");
}

}}  // namespace tovrik
