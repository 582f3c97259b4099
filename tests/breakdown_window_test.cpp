#include "ui/qt/breakdown_window.h"

#include <unistd.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <sstream>

#include "app/report_views.h"
#include "engine/weapons.h"
#include "tests/support/testing.h"

namespace tovrik {
namespace {

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
    EXPECT_EQ(RunReport(ParseReportOptions(static_cast<int>(argv.size()), argv.data()), out, err), 0) << command;
    return out.str();
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) c == separator ? parts.emplace_back() : parts.back().append(1, c);
    return parts;
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
    void open(const std::string& statsDir, const char* weapon, const char* grouping = "Map", const char* since = "",
              const char* until = "") {
        window.show();
        window.showFor(statsDir, weapon);
        window.findChild<QComboBox*>("Grouping")->setCurrentText(grouping);
        window.findChild<QLineEdit*>("Since")->setText(since);
        window.findChild<QLineEdit*>("Until")->setText(until);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }, 20000));
    }

    // The window with the folders it would open kept instead.
    struct Window : BreakdownWindow {
        using BreakdownWindow::BreakdownWindow;
        void openFolder(const std::string& folder) override { opened.push_back(folder); }
        std::vector<std::string> opened;
    };

    TempDir dir;
    Window window{nullptr, ','};
};

TEST_F(BreakdownTest, TableIsTheReportsCsvCellByCell) {
    struct Row {
        const char *name, *tree, *grouping, *since, *until;
    } rows[] = {{"classic by map", "stats", "Map", "", ""},
                {"today's by week", "etlegacy-stats", "Week", "", ""},
                {"classic by day over a period", "stats", "Day", "2026-09-04", "2026-09-06"},
                {"today's by weapon from a day", "etlegacy-stats", "Weapon", "2026-09-05", ""}};
    for (const Row& row : rows) {
        std::string tree = TOVRIK_EXAMPLES "/" + std::string(row.tree),
                    by = QString(row.grouping).toLower().toStdString();
        open(tree, "Thompson", row.grouping, row.since, row.until);
        std::string csv = Report("tovrik-report --csv " + tree + (by == "weapon" ? "" : " Thompson --by " + by) +
                                 (*row.since ? std::string(" --since ") + row.since : "") +
                                 (*row.until ? std::string(" --until ") + row.until : ""));
        EXPECT_TRUE(window.exportCsv(dir / "export.csv")) << row.name;
        EXPECT_EQ(Slurp(dir / "export.csv"), csv) << row.name;
        Cells shown = cells();
        std::vector<std::string> lines = Split(csv, '\n');
        ASSERT_EQ(shown.size(), lines.size()) << row.name << ": the rows and a total, for the CSV's last line end";
        EXPECT_EQ(shown.back()[0], "Total") << row.name;
        for (std::size_t r = 0; r + 1 < lines.size(); ++r) {
            std::vector<std::string> expected = Split(lines[r], ',');
            for (std::size_t c = 0; c < expected.size(); ++c) {
                std::string where = std::string(row.name) + " row " + std::to_string(r) + " column " + shown[0][c];
                if (r == 0 || c == 0)
                    EXPECT_EQ(shown[r][c], expected[c]) << where;
                else if (expected[c].empty())
                    EXPECT_EQ(shown[r][c], "-") << where;
                else  // one decimal cut against two rounded
                    EXPECT_NEAR(Number(shown[r][c]), Number(expected[c]), 0.105) << where;
            }
        }
    }
}

TEST_F(BreakdownTest, SortsNumbersAsNumbersWithTheTotalLast) {
    open(TOVRIK_EXAMPLES "/stats", "Thompson", "Weapon");
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
}

TEST_F(BreakdownTest, TotalsPeriodsFoldersKeysAndChart) {
    open(TOVRIK_EXAMPLES "/stats", "Thompson");
    Cells shown = cells();
    int games = 0;
    for (std::size_t r = 1; r + 1 < shown.size(); ++r) games += std::stoi(shown[r][1]);
    EXPECT_EQ(shown.back()[1], std::to_string(games));
    EXPECT_EQ(window.findChild<QTreeWidget*>("Matches")->topLevelItemCount(), 2) << "the best and the worst";
    open(TOVRIK_EXAMPLES "/stats", "Thompson", "Day", "2030-01-01");
    shown = cells();
    ASSERT_EQ(shown.size(), 2u) << "the total alone";
    EXPECT_EQ(shown[1][1], "0");
    EXPECT_EQ(shown[1][10], "-");
    EXPECT_EQ(window.findChild<QTreeWidget*>("Matches")->topLevelItemCount(), 0);
    EXPECT_TRUE(window.findChild<TimeChart*>("TimeChart")->points().empty());
    open(TOVRIK_EXAMPLES "/stats", "Thompson", "Day", "2026-09-07", "2026-09-0");
    EXPECT_EQ(window.findChild<QLabel*>("Status")->text(), "A day is written YYYY-MM-DD, as 2026-12-06.");
    EXPECT_EQ(cells().size(), 1u) << "the headers alone";
    open(TOVRIK_EXAMPLES "/stats", "Thompson", "Day", "2026-09-07", "2026-09-06");
    EXPECT_EQ(window.findChild<QLabel*>("Status")->text(), "The period ends before it starts.");
    // A double click on each row, the day and the total, and on the best match opens its folder.
    open(TOVRIK_EXAMPLES "/stats", "Thompson", "Day", "2026-09-08", "2026-09-08");
    auto* view = window.findChild<QTableView*>("Groups");
    for (int row : {0, 1}) emit view->doubleClicked(view->model()->index(row, 3));
    emit window.findChild<QTreeWidget*>("Matches")->itemDoubleClicked(
        window.findChild<QTreeWidget*>("Matches")->topLevelItem(0), 2);
    std::string day = TOVRIK_EXAMPLES "/stats/2026.09.08";
    EXPECT_EQ(window.opened, (std::vector<std::string>{day, TOVRIK_EXAMPLES "/stats", day}));
    // Every control by Tab; the chart's hover texts, and the chart as a picture.
    open(TOVRIK_EXAMPLES "/stats", "Thompson", "Week", "", "");
    QStringList reached;
    for (QWidget* at = window.findChild<QComboBox*>("Grouping"); reached.size() < 8; at = at->nextInFocusChain())
        if (at->focusPolicy() & Qt::TabFocus) reached << at->objectName();
    EXPECT_EQ(reached,
              (QStringList{"Grouping", "Since", "Until", "Groups", "Matches", "ExportCsv", "SaveChart", "Close"}));
    auto* chart = window.findChild<TimeChart*>("TimeChart");
    ASSERT_EQ(chart->points().size(), 2u) << "two weeks of matches";
    const TimePoint& first = chart->points()[0];
    QPoint point = chart->place(first.day, first.accuracy).toPoint();
    EXPECT_EQ(chart->textAt(point + QPoint(3, -3)).toStdString().substr(0, 35), "2026-W36: mean 25,0% over 5 games\nl");
    EXPECT_EQ(chart->textAt(point + QPoint(9, 0)), "") << "away from the point";
    ASSERT_TRUE(window.saveChart(dir / "chart.png"));
    EXPECT_EQ(QImage(QString::fromStdString(dir / "chart.png")).size(), chart->size() * chart->devicePixelRatio());
}

TEST_F(BreakdownTest, ARunTimeErrorIsToldAndTheChoicesStayUsable) {
    dir.write("2026.09.01/120000.txt", Match("radar", "Thompson: 50.0 30/60 2 0 1"));
    dir.write("2026.09.02/120000.txt", Match("radar", "Thompson: 50.0 30/x 2 0 1"));
    std::string message = dir / "2026.09.02/120000.txt" + ", line 3: \"x\" is not a whole number.";
    ExpectRunError(Report("tovrik-report " + dir.path() + " Thompson --by map"), Conversion, message);
    open(dir.path(), "Thompson");
    auto* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text().toStdString(), message);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->accept();
    EXPECT_EQ(cells().size(), 1u);
    open(dir.path(), "Thompson", "Day", "", "2026-09-01");
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
    QTest::qWait(50);
    EXPECT_EQ(updated.count(), 0) << "a cancelled read shows nothing";
    testing::beforeRead = nullptr;
}

}  // namespace
}  // namespace tovrik
