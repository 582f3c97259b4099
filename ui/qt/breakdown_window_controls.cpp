// The breakdown's choices above its table and its buttons below.
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>

#include "ui/qt/breakdown_window.h"
#include "ui/qt/latin1_text.h"

namespace tovrik {
namespace {

// A row of controls without margins of its own.
QHBoxLayout* RowLayout(QWidget* row) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

// A choice named `name` (the tests find it by that name), with its tip.
QComboBox* Choice(QWidget* row, const char* name, const QString& tip = {}) {
    auto* choice = new QComboBox(row);
    choice->setObjectName(name);
    choice->setToolTip(tip);
    return choice;
}

// The label of `buddy`, whose mnemonic gives it the focus.
QLabel* LabelFor(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

QWidget* BreakdownWindow::makeChoices() {
    auto* row = new QWidget(this);
    subject_ = Choice(row, "Subject",
                      "The weapon chosen in the main window, or the career: damage, kills, deaths, XP and rank");
    subject_->addItems({"", "Career"});  // the weapon's name is set by showFor()
    connect(subject_, &QComboBox::currentIndexChanged, this, &BreakdownWindow::recomputeAsked);
    player_ = Choice(row, "Player", "The matches of one player name, when the folder holds more than one");
    player_->hide();
    connect(player_, &QComboBox::currentIndexChanged, this, &BreakdownWindow::recomputeAsked);
    grouping_ = Choice(row, "Grouping");
    // The groupings in their order, then by weapon.
    for (const GroupingName& name : Groupings()) grouping_->addItem(Latin1Text(name.header));
    grouping_->addItem(Latin1Text(GroupHeader(std::nullopt)));
    connect(grouping_, &QComboBox::currentIndexChanged, this, [this] {
        groups_->sortByColumn(0, Qt::AscendingOrder);  // another grouping shows in its own order
        recomputeAsked();
    });
    period_ = Choice(row, "Period");
    for (const PresetName& preset : PeriodPresets()) period_->addItem(preset.text);
    connect(period_, &QComboBox::activated, this, &BreakdownWindow::choosePreset);
    makeDays(row);
    QHBoxLayout* layout = RowLayout(row);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{LabelFor("S&how:", subject_), subject_, player_,
                                         LabelFor("&Group by:", grouping_), grouping_, LabelFor("&Period:", period_),
                                         period_, LabelFor("&From:", since_), since_, LabelFor("&to:", until_), until_})
        layout->addWidget(widget);
    layout->addStretch();
    return row;
}

void BreakdownWindow::makeDays(QWidget* row) {
    since_ = new QLineEdit(row);
    since_->setObjectName("Since");
    until_ = new QLineEdit(row);
    until_->setObjectName("Until");
    for (QLineEdit* day : {since_, until_}) {
        day->setPlaceholderText(day == since_ ? "first match" : "last match");
        day->setToolTip("A day as YYYY-MM-DD, included; empty for no limit");
        day->setMaximumWidth(110);
        connect(day, &QLineEdit::textEdited, this, [this] { period_->setCurrentIndex(0); });  // days of one's own
        connect(day, &QLineEdit::textChanged, this, &BreakdownWindow::recomputeAsked);
    }
}

void BreakdownWindow::choosePreset(int index) {
    period_->setCurrentIndex(index);
    const PeriodPreset preset = PeriodPresets()[static_cast<std::size_t>(index)].preset;
    const std::optional<std::pair<std::string, std::string>> days = PresetDays(preset, Today());
    for (QLineEdit* day : {since_, until_}) day->setEnabled(preset != PeriodPreset::LastSession);
    if (days) {
        const QSignalBlocker quietSince(since_), quietUntil(until_);  // one computation for both, below
        since_->setText(QString::fromLatin1(days->first.c_str()));
        until_->setText(QString::fromLatin1(days->second.c_str()));
    }
    recomputeAsked();
}

void BreakdownWindow::listPlayers() {
    // Kept by name when the table is read again; shown only where there is a choice.
    const QString chosen = player_->currentIndex() > 0 ? player_->currentText() : QString();
    const QSignalBlocker quiet(player_);
    player_->clear();
    player_->addItem("Every player");
    const std::vector<std::string> names = table_ ? PlayerNames(*table_) : std::vector<std::string>{};
    for (const std::string& name : names) player_->addItem(Latin1Text(name));
    player_->setCurrentIndex(std::max(0, player_->findText(chosen)));
    player_->setVisible(names.size() > 1);
}

QWidget* BreakdownWindow::makeButtons() {
    auto* row = new QWidget(this);
    QHBoxLayout* layout = RowLayout(row);
    progress_ = new QProgressBar(row);
    progress_->setObjectName("Progress");
    progress_->setRange(0, 0);  // the count of files is not known before the end
    progress_->setMaximumWidth(160);
    progress_->hide();
    status_ = new QLabel(row);
    status_->setObjectName("Status");
    status_->setTextFormat(Qt::PlainText);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long message never widens the window
    layout->addWidget(progress_);
    layout->addWidget(status_, 1);
    auto button = [&](const char* name, const char* text, auto act) {
        auto* b = new QPushButton(text, row);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, act);
        layout->addWidget(b);
    };
    button("ExportCsv", "&Export CSV\u2026", [this] {
        QString file = QFileDialog::getSaveFileName(this, "Export CSV", proposedFile("csv"), "CSV (*.csv)");
        if (!file.isEmpty()) exportCsv(file.toLocal8Bit().toStdString());
    });
    button("SaveChart", "&Save chart\u2026", [this] {
        QString file = QFileDialog::getSaveFileName(this, "Save chart", proposedFile("png"), "PNG image (*.png)");
        if (!file.isEmpty()) saveChart(file.toLocal8Bit().toStdString());
    });
    button("Close", "Close", [this] { close(); });
    return row;
}

QString BreakdownWindow::proposedFile(const char* extension) const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/" +
           QString::fromLatin1(fileName_.c_str()) + "." + extension;
}

}  // namespace tovrik
