// The window's controls as Form1 reaches them, and the run a choice starts.
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QToolButton>
#include <optional>

#include "base/run_error.h"
#include "settings/app_paths.h"
#include "ui/qt/form1_window.h"
#include "ui/qt/latin1_text.h"
#include "ui/qt/open_folder.h"

namespace tovrik {

void Form1Window::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, "Tovrik Stats", QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);  // it names folders and files
    box.exec();
}

std::string Form1Window::SelectedText(QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? std::string() : selected.first()->text().toLatin1().toStdString();
}

void Form1Window::List2_AddItem(const std::string& text) { list2_->addItem(Latin1Text(text)); }

void Form1Window::List3_AddItem(const std::string& text) { pendingMaps_.push_back(text); }

void Form1Window::List3_Clear() {
    QSignalBlocker quiet(list3_);  // no choice is made by emptying the list
    list3_->clear();
    list3Items_.clear();
    pendingMaps_.clear();
}

void Form1Window::showPendingMaps() {
    // The new entries merged into the list at once, so that a first run over
    // many maps costs no more than a sort.
    if (pendingMaps_.empty()) return;
    InsertSorted(list3Items_, std::move(pendingMaps_));
    pendingMaps_.clear();
    QStringList texts;
    for (const std::string& item : list3Items_) texts << Latin1Text(item);
    const QString chosen = list3_->selectedItems().isEmpty() ? QString() : list3_->selectedItems().first()->text();
    QSignalBlocker quiet(list3_);  // the same choice, not a new one
    list3_->clear();
    list3_->addItems(texts);
    if (!chosen.isEmpty()) list3_->item(static_cast<int>(texts.indexOf(chosen)))->setSelected(true);
}

void Form1Window::SetCaption(Label label, const std::string& text) {
    // A text wider than its label is cut with "…" and shown whole on hover.
    QLabel* shown = values_.at(label);
    QString whole = Latin1Text(text);
    QString fitting = shown->fontMetrics().elidedText(whole, Qt::ElideRight, shown->width());
    shown->setText(fitting);
    shown->setToolTip(fitting == whole ? QString() : whole);
}

void Form1Window::runStats() {
    std::optional<RunError> stop;
    try {
        form_.ComputeStats();
        form_.SaveChoice(List2_Text(), List3_Text());  // the choice the next start makes again
        showPendingMaps();
        stopStrip_->hide();
        // What the run could not read is said over the chart, as long as it holds.
        const QString note = QString::fromLatin1(form_.RunNote().c_str()).trimmed();
        runNote_->setText(note);
        runNote_->setVisible(!note.isEmpty());
    } catch (const std::bad_alloc&) {
        stop = RunError(RunError::Kind::OutOfMemory, "there is not memory enough for the run.");
    } catch (const RunError& error) {
        stop = error;
    }
    if (stop) {
        showPendingMaps();
        // The run stops; the window goes on, its figures no longer this choice's.
        form_.ShowStopped();
        runNote_->hide();
        showStop(*stop);
    }
    updateBreakdown();
    // The folders are watched once the figures show: over many folders the
    // watch takes a while of its own.
    if (rewatch_) QTimer::singleShot(0, this, &Form1Window::watchFolders);
    rewatch_ = false;
}

void Form1Window::setUpStopStrip() {
    stopStrip_ = new QWidget(this);
    stopStrip_->setObjectName("RunStopped");
    stopStrip_->setGeometry(picture1_->x(), picture1_->y(), picture1_->width(), 34);
    stopStrip_->setAutoFillBackground(true);
    QPalette palette = stopStrip_->palette();
    palette.setColor(QPalette::Window, QColor(96, 0, 0));
    palette.setColor(QPalette::WindowText, Qt::white);
    stopStrip_->setPalette(palette);
    auto* row = new QHBoxLayout(stopStrip_);
    row->setContentsMargins(6, 2, 4, 2);
    stopText_ = new QLabel(stopStrip_);
    stopText_->setObjectName("StopText");
    stopText_->setTextFormat(Qt::PlainText);  // it quotes what the match file holds
    row->addWidget(stopText_, 1);
    auto* folder = new QToolButton(stopStrip_);
    folder->setObjectName("OpenStopFolder");
    folder->setText("Open folder");
    folder->setFocusPolicy(Qt::NoFocus);  // never taken from the game
    connect(folder, &QToolButton::clicked, this, [this] { openFolder(stopFolder_); });
    row->addWidget(folder);
    stopStrip_->hide();
    runNote_ = new QLabel(this);
    runNote_->setObjectName("RunNote");
    // Over the chart's top edge, where the strip of a stop would be: accuracies seldom reach it.
    runNote_->setGeometry(picture1_->x(), picture1_->y(), picture1_->width(), 16);
    runNote_->setStyleSheet("QLabel { background: rgba(0, 0, 0, 160); color: rgb(200, 200, 220); padding-left: 4px; }");
    runNote_->hide();
}

void Form1Window::showStop(const RunError& error) {
    // The file on a line of its own, cut at its start so that its name shows; then where in it and why.
    const QString text = QString::fromLocal8Bit(error.what());
    const QString file = QString::fromLocal8Bit(error.path().c_str());
    const QString why = text.mid(file.isEmpty() ? 0 : file.size() + 2);
    stopStrip_->layout()->activate();  // the text's room, laid out even while the strip is hidden
    const QFontMetrics metrics = stopText_->fontMetrics();
    const int room = stopText_->width();
    stopText_->setText((file.isEmpty() ? "" : metrics.elidedText(file, Qt::ElideLeft, room) + "\n") +
                       metrics.elidedText(why, Qt::ElideRight, room));
    stopText_->setToolTip(text);
    stopFolder_ = DirOf(error.path());
    stopStrip_->show();
    stopStrip_->raise();
    // A run the player started says so in a box; one a file change started
    // never opens one: it would take the focus from the game.
    if (automatic_) return;
    QMessageBox box(QMessageBox::Critical, "Tovrik Stats", text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void Form1Window::openFolder(const std::string& folder) { OpenFolder(this, folder); }

}  // namespace tovrik
