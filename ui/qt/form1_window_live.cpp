// What keeps the window current for a player who leaves it open: another
// folder, a watch on the folder, the keyboard, the last choice, and the
// match behind each point of the curve.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

#include "settings/qt/browse_folder.h"
#include "ui/qt/form1_window.h"

namespace tovrik {
namespace {

constexpr int kMostWatched = 4096;  // folders: the user's share of the kernel's watches
constexpr int kSettleMs = 1000;     // a match file is written in a burst
constexpr int kMostPostponed = 5;   // a file written without end is not waited for

}  // namespace

void Form1Window::setUpButtons() {
    auto* folder = new QPushButton("Folder\u2026", this);
    folder->setObjectName("ChooseFolder");
    folder->setToolTip("Choose another statistics folder (Ctrl+O)");
    folder->setGeometry(7920 / 15, 135 / 15, 855 / 15, 300 / 15);  // in the title band, clear of the title
    folder->setFocusPolicy(Qt::TabFocus);
    connect(folder, &QPushButton::clicked, this, &Form1Window::chooseFolder);
    auto* breakdown = new QPushButton("Breakdown\u2026", this);
    breakdown->setObjectName("OpenBreakdown");
    breakdown->setToolTip("The weapon by map, by period or beside the others (Ctrl+B)");
    breakdown->setGeometry(6810 / 15, 135 / 15, 1050 / 15, 300 / 15);  // beside the folder button
    breakdown->setFocusPolicy(Qt::TabFocus);
    connect(breakdown, &QPushButton::clicked, this, &Form1Window::openBreakdown);
    // Tab goes as the eye does: the lists, then the title band's buttons from left to right.
    setTabOrder(list2_, list3_);
    setTabOrder(list3_, breakdown);
    setTabOrder(breakdown, folder);
}

void Form1Window::setUpKeysAndWatch() {
    setUpButtons();
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), this, [this] { openBreakdown(); });
    new QShortcut(QKeySequence::Open, this, [this] { chooseFolder(); });
    new QShortcut(QKeySequence(Qt::Key_F5), this, [this] {  // the breakdown too: both show the same files
        runAgain();
        if (breakdown_ != nullptr) breakdown_->reread(false);
    });
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, [this] { close(); });
    list2_->installEventFilter(this);
    setAttribute(Qt::WA_AlwaysShowToolTips);  // the window beside the game is seldom the active one
    picture1_->installEventFilter(this);
    list3_->viewport()->installEventFilter(this);
    // Enter runs the entry that has the focus.
    for (QListWidget* list : {list2_, list3_})
        connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
            if (item->isSelected())
                runAgain();
            else
                item->setSelected(true);
        });
    watch_ = new FolderWatch(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &Form1Window::runSettled);
    connect(watch_, &FolderWatch::changed, this, [this](const QString& folder) {
        rewatch_ = true;
        changed_.insert(folder);
        settle_->start();
    });
    // The statistics folder made again, or a link to it pointed elsewhere: watched anew from its path.
    connect(watch_, &FolderWatch::rootMoved, this, [this] {
        watch_->clear();
        rewatch_ = true;
        settle_->start();
    });
    setUpStopStrip();
}

void Form1Window::runSettled() {
    // A file written a while after its folder changed is waited for, a few times at most.
    if (postponed_ < kMostPostponed && StillBeingWritten(changed_.values(), QDateTime::currentDateTime())) {
        ++postponed_;
        settle_->start();
        return;
    }
    changed_.clear();
    postponed_ = 0;
    automatic_ = true;
    runAgain();
    automatic_ = false;
    if (breakdown_ != nullptr) breakdown_->reread();
}

bool Form1Window::StillBeingWritten(const QStringList& folders, const QDateTime& now) {
    for (const QString& folder : folders)
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
            if (file.lastModified().msecsTo(now) < kSettleMs) return true;
    return false;
}

void Form1Window::chooseFolder() {
    std::string chosen =
        tovrik::BrowseFolder("Selection du repertoire ET stats :", form_.StatsDir, kFolderDrives, 0, this, "");
    if (chosen == "cancel") return;
    form_.ChangeStatsDir(chosen);
    showPendingMaps();
    watch_->clear();
    rewatch_ = true;
    runAgain();
    updateBreakdown();
}

void Form1Window::openBreakdown() {
    if (breakdown_ == nullptr) breakdown_ = new BreakdownWindow(this, form_.DecimalSeparator);
    breakdown_->show();
    updateBreakdown();
    breakdown_->raise();
    breakdown_->activateWindow();
}

void Form1Window::updateBreakdown() {
    if (breakdown_ == nullptr || !breakdown_->isVisible()) return;
    // The weapon chosen here, else the first.
    breakdown_->showFor(form_.StatsDir, List2_Text());
}

void Form1Window::runAgain() {
    if (!list2_->selectedItems().isEmpty()) runStats();
}

void Form1Window::watchFolders() {
    // The folder and every folder below it as the runs walk them, new ones as they appear.
    QStringList folders;
    for (const std::string& folder : form_.WatchFolders(kMostWatched))
        folders << QString::fromLocal8Bit(folder.c_str());
    watch_->watch(QString::fromLocal8Bit(form_.StatsDir.c_str()), folders);
}

void Form1Window::restoreChoice() {
    auto [weapon, map] = form_.LoadChoice();
    QList<QListWidgetItem*> weapons = list2_->findItems(QString::fromLatin1(weapon.c_str()), Qt::MatchExactly);
    if (weapons.isEmpty()) return;
    list2_->setCurrentItem(weapons[0]);  // runs, and lists the maps
    QList<QListWidgetItem*> maps = list3_->findItems(QString::fromLatin1(map.c_str()), Qt::MatchExactly);
    if (!maps.isEmpty()) list3_->setCurrentItem(maps[0]);
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list2_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && list2_->selectedItems().isEmpty()) {
        list2_->setCurrentRow(0);  // the first Down chooses the first weapon, not the second
        return true;
    }
    if (watched == picture1_ && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (!showPointAt(help->pos(), help->globalPos())) QToolTip::hideText();
        return true;
    }
    if (watched == list3_->viewport() && event->type() == QEvent::ToolTip) {
        // A map's name wider than the list is shown whole on hover.
        auto* help = static_cast<QHelpEvent*>(event);
        QListWidgetItem* item = list3_->itemAt(help->pos());
        const int room = list3_->viewport()->width() - 2 * list3_->frameWidth();
        if (item != nullptr && list3_->fontMetrics().horizontalAdvance(item->text()) > room)
            QToolTip::showText(help->globalPos(), item->text(), list3_->viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool Form1Window::showPointAt(const QPoint& pixel, const QPoint& global) {
    // The nearest point of the curve within a few pixels names its match.
    constexpr float kReach = 6 * 15;
    std::optional<std::size_t> nearest;
    float best = kReach * kReach;
    const std::vector<CurvePoint>& places = form_.CurvePlaces();
    for (std::size_t j = 0; j < places.size(); ++j) {
        float dx = places[j].x - static_cast<float>(pixel.x() * 15),
              dy = places[j].y - static_cast<float>(pixel.y() * 15);
        if (dx * dx + dy * dy <= best) best = dx * dx + dy * dy, nearest = j;
    }
    if (!nearest) return false;
    QToolTip::showText(global,
                       QString::fromLatin1(form_.PointText(*nearest).c_str()) + "\n" +
                           QString::fromLocal8Bit(form_.PointPlace(*nearest).path.c_str()),
                       picture1_);
    return true;
}

}  // namespace tovrik
