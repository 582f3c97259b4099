// The breakdown's data: the tree read off the window's thread, the figures
// made from it for the choices, and the files written from them.
#include <QBuffer>
#include <QMessageBox>

#include "base/number_text.h"
#include "ui/qt/breakdown_window.h"
#include "ui/view_text.h"

namespace tovrik {
namespace {

constexpr int kQuietMs = 500;  // a read that ends sooner shows no progress

}  // namespace

void BreakdownWindow::showFor(const std::string& statsDir, const std::string& weaponName) {
    std::size_t weapon = BreakdownWeapon(weaponName);
    // The same folder and weapon show what they show.
    if (statsDir == statsDir_ && weapon == weapon_ && (table_ || read_)) return;
    quiet_ = false;
    subject_->setItemText(0, QString::fromLatin1(WeaponName(weapon).c_str()));
    weapon_ = weapon;
    if (statsDir != statsDir_) table_.reset();
    statsDir_ = statsDir;
    recompute();
}

void BreakdownWindow::reread(bool quiet) {
    table_.reset();
    quiet_ = quiet;
    if (isVisible()) recompute();
}

void BreakdownWindow::startRead(WeaponSet weapons) {
    stopRead();
    read_ = std::make_unique<Read>();
    read_->started.start();
    Read* read = read_.get();
    read->thread = std::thread([this, read, weapons, generation = ++generation_, dir = statsDir_, scan = scan_] {
        auto table = std::make_shared<MatchTable>();
        std::string failure;
        try {
            *table = ReadTree(dir, weapons, scan, [read](std::size_t kept) {
                read->kept = kept;
                return !read->cancel;
            });
        } catch (const std::bad_alloc&) {
            failure = "there is not memory enough for the read.";
        } catch (const std::exception& error) {
            failure = error.what();  // said as it is: an empty table would look like a folder without matches
        }
        if (read->cancel) return;
        QMetaObject::invokeMethod(
            this, [this, generation, table, weapons, failure] { readDone(generation, table, weapons, failure); },
            Qt::QueuedConnection);
    });
    status_->setText("Reading\u2026");
    poll_->start();
}

void BreakdownWindow::stopRead() {
    if (!read_) return;
    read_->cancel = true;
    read_->thread.join();
    read_.reset();
    ++generation_;  // a result already on its way is not shown
    poll_->stop();
    progress_->hide();
}

void BreakdownWindow::showProgress() {
    if (!read_ || read_->started.elapsed() < kQuietMs) return;
    progress_->show();
    status_->setText("Reading\u2026 " +
                     QString::fromLatin1(LongToText(static_cast<std::int32_t>(read_->kept)).c_str()) + " match files");
}

void BreakdownWindow::readDone(std::uint64_t generation, std::shared_ptr<MatchTable> table, WeaponSet weapons,
                               const std::string& failure) {
    if (generation != generation_ || !read_) return;
    read_->thread.join();
    read_.reset();
    poll_->stop();
    progress_->hide();
    if (!failure.empty()) return clearFigures("Stopped: " + QString::fromLocal8Bit(failure.c_str()));
    table_ = std::move(table);
    tableWeapons_ = weapons;
    listPlayers();
    recompute();
}

std::optional<BreakdownChoice> BreakdownWindow::choice() {
    BreakdownChoice c;
    c.weapon = weapon_;
    c.grouping = groupingChosen();
    c.career = subject_->currentIndex() == 1;
    if (player_->currentIndex() > 0) c.player = player_->currentText().toLatin1().toStdString();
    c.lastSession =
        PeriodPresets()[static_cast<std::size_t>(period_->currentIndex())].preset == PeriodPreset::LastSession;
    for (QLineEdit* field : {since_, until_}) {
        if (c.lastSession) break;
        std::string text = field->text().trimmed().toLatin1().toStdString();
        MatchDate day = DayOfText(text);
        if (!text.empty() && !day.known()) {
            clearFigures(IsDayForm(text) ? "There is no day " + QString::fromLatin1(text.c_str()) + " in the calendar."
                                         : "A day is written YYYY-MM-DD, as 2026-12-06.");
            return std::nullopt;
        }
        if (day.known()) (field == since_ ? c.period.since : c.period.until) = day;
    }
    if (!c.period.ordered()) {
        clearFigures("The period ends before it starts.");
        return std::nullopt;
    }
    return c;
}

void BreakdownWindow::recompute() {
    std::optional<BreakdownChoice> c = choice();
    if (!c || statsDir_.empty()) return;
    WeaponSet needed = WeaponsToRead(*c);
    if (!table_ || (tableWeapons_ & needed) != needed) {
        if (!read_) startRead(needed);
        return;
    }
    try {
        breakdown_ = MakeBreakdown(*table_, *c);
    } catch (const RunError& error) {
        // As the main window shows it; the choices stay usable. A reread a file
        // change started opens no box: it would take the focus from the game.
        const QString text = QString::fromLocal8Bit(error.what());
        clearFigures(quiet_ ? "Stopped: " + text : "Stopped: the figures cannot be shown.");
        if (quiet_) return;
        auto* box = new QMessageBox(QMessageBox::Critical, "Tovrik Stats", text, QMessageBox::Ok, this);
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    chart_->setTitle(QString::fromLatin1(BreakdownTitle(*c).c_str()));
    fileName_ = BreakdownFileName(*c);
    fill(*breakdown_);
    std::size_t dateless = DatelessMatches(*table_, breakdown_->period);
    QString status = table_->matches.empty() ? "No match files below this folder." : "";
    const std::string notes = SessionNote(breakdown_->period) +
                              (breakdown_->career ? ToldNote(breakdown_->careerTotal.figures) : "") +
                              LeftOutNote(dateless) + DeniedNote(*table_);
    if (!notes.empty()) status = QString::fromLatin1(notes.c_str()).trimmed().replace('\n', ' ');
    status_->setText(status);
    emit updated();
}

std::string BreakdownWindow::csv() const { return breakdown_ ? BreakdownCsv(*breakdown_) : ""; }

bool BreakdownWindow::exportCsv(const std::string& file) { return writeFile(file, csv(), "the table"); }

bool BreakdownWindow::saveChart(const std::string& file) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    chart_->image().save(&buffer, "PNG");
    return writeFile(file, png.toStdString(), "the chart");
}

bool BreakdownWindow::writeFile(const std::string& file, const std::string& bytes, const char* what) {
    std::optional<std::string> failure = WriteExport(file, bytes);
    if (!failure) return true;
    QMessageBox box(QMessageBox::Warning, "Tovrik Stats",
                    QString("Cannot write %1 to \"%2\": %3.")
                        .arg(what, QString::fromLocal8Bit(file.c_str()), QString::fromLocal8Bit(failure->c_str())),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

}  // namespace tovrik
