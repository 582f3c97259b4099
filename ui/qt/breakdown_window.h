#pragma once

#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "ui/breakdown.h"
#include "ui/qt/time_chart.h"

namespace tovrik {

// The second window: the chosen weapon's figures by map or by period, or
// every weapon's side by side, or the player's career, over a period; the
// groups over time; the best and the worst match; and the table as CSV and
// the chart as PNG.
class BreakdownWindow : public QDialog {
    Q_OBJECT
public:
    // `sep` is the main window's decimal separator; `scan` how the tree is read.
    explicit BreakdownWindow(QWidget* parent, char sep, ScanOptions scan = {});
    ~BreakdownWindow() override;

    // Breaks down the weapon named `weapon` (the first when none is) below
    // `statsDir`, reading the tree when the folder is another or the table
    // lacks the weapon.
    void showFor(const std::string& statsDir, const std::string& weapon);
    // Reads the tree again: its files changed. A read the player did not ask
    // for (`quiet`) says what stops it in the status line, never in a box.
    void reread(bool quiet = true);
    bool reading() const { return read_ != nullptr; }

    // The table as `tovrik-report --csv` writes it for the same choices.
    std::string csv() const;
    // Write the CSV and the chart; false after telling the user why not.
    bool exportCsv(const std::string& file);
    bool saveChart(const std::string& file);
    // The file a save proposes: named after the choices, in the user's documents.
    QString proposedFile(const char* extension) const;

signals:
    // A breakdown, or the message that there is none, is shown.
    void updated();

protected:
    // Opens a folder in the desktop's file manager.
    virtual void openFolder(const std::string& folder);
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    // A read of the tree on a thread of its own.
    struct Read {
        std::thread thread;
        std::atomic<bool> cancel{false};
        std::atomic<std::size_t> kept{0};
        QElapsedTimer started;
    };
    void setUpControls();
    QWidget* makeChoices();
    void makeDays(QWidget* row);
    QWidget* makeButtons();
    void startRead(WeaponSet weapons);
    void stopRead();
    void readDone(std::uint64_t generation, std::shared_ptr<MatchTable> table, WeaponSet weapons,
                  const std::string& failure);
    void showProgress();
    std::optional<Grouping> groupingChosen() const;
    void choosePreset(int index);
    void listPlayers();
    std::optional<BreakdownChoice> choice();
    void recompute();
    void recomputeAsked() {  // the player changed a choice
        quiet_ = false;
        recompute();
    }
    void fill(const Breakdown& breakdown);
    void fillMatches(const Breakdown& breakdown);
    void fitColumns();
    void clearFigures(const QString& status);
    void openRow(const QModelIndex& index);
    bool writeFile(const std::string& file, const std::string& bytes, const char* what);

    char sep_;
    ScanOptions scan_;
    std::string statsDir_;
    std::size_t weapon_ = 0;
    std::shared_ptr<const MatchTable> table_;
    WeaponSet tableWeapons_ = 0;
    std::optional<Breakdown> breakdown_;
    std::unique_ptr<Read> read_;
    std::uint64_t generation_ = 0;
    bool quiet_ = false;                  // the figures are being made again after a file change, not by the player
    std::string fileName_ = "breakdown";  // of the choices shown, for a file

    QComboBox* subject_;  // the weapon, or the career
    QComboBox* player_;   // every player, or one of the table's when it holds more than one
    QComboBox* grouping_;
    QComboBox* period_;
    QLineEdit* since_;
    QLineEdit* until_;
    QStandardItemModel* model_;
    QTableView* groups_;
    TimeChart* chart_;
    QTreeWidget* matches_;
    QProgressBar* progress_;
    QLabel* status_;
    QTimer* poll_;
};

}  // namespace tovrik
