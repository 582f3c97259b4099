// The window's controls as Form1 reaches them, and the run a choice starts.
#include <QMessageBox>
#include <QSignalBlocker>

#include "base/run_error.h"
#include "ui/qt/form1_window.h"
#include "ui/qt/latin1_text.h"

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
    try {
        form_.ComputeStats();
        form_.SaveChoice(List2_Text(), List3_Text());  // the choice the next start makes again
        showPendingMaps();
    } catch (const RunError& error) {
        showPendingMaps();
        // The run stops; the window goes on with what it showed.
        QMessageBox box(QMessageBox::Critical, "Tovrik Stats", QString::fromLocal8Bit(error.what()), QMessageBox::Ok,
                        this);
        box.setTextFormat(Qt::PlainText);  // it quotes what the match file holds
        box.exec();
        form_.ShowStopped();  // the figures shown before are not this choice's
    }
    updateBreakdown();
    // The folders are watched once the figures show: over many folders the
    // watch takes a while of its own.
    if (rewatch_) QTimer::singleShot(0, this, &Form1Window::watchFolders);
    rewatch_ = false;
}

}  // namespace tovrik
