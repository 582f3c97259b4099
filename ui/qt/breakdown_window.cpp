#include "ui/qt/breakdown_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>
#include <limits>

#include "base/number_text.h"
#include "ui/qt/latin1_text.h"
#include "ui/qt/open_folder.h"
#include "ui/view_text.h"

namespace tovrik {
namespace {

constexpr int kSortRole = Qt::UserRole + 1;   // a cell's number, a group's place
constexpr int kTotalRole = Qt::UserRole + 2;  // true on the total row

// Sorts numbers as numbers and groups in their own order, and keeps the
// total row last whichever way.
class GroupSort : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        bool leftTotal = left.data(kTotalRole).toBool(), rightTotal = right.data(kTotalRole).toBool();
        if (leftTotal != rightTotal) return leftTotal == (sortOrder() == Qt::DescendingOrder);
        const QVariant a = left.data(kSortRole), b = right.data(kSortRole);
        if (a.typeId() == QMetaType::QString) return a.toString() < b.toString();
        return a.toDouble() < b.toDouble();
    }
};

// A row of the table: its label, sorted by its place, and each figure of
// `table` as a cell, sorted by its number (a text by itself).
template <class Table, class Figures>
QList<QStandardItem*> RowItems(const std::string& label, double place, const Table& table, const Figures& figures,
                               char sep) {
    QList<QStandardItem*> items{new QStandardItem(Latin1Text(label))};
    items[0]->setData(place, kSortRole);
    for (const auto& figure : table) {
        const FigureValue value = figure.read(figures);
        auto* item = new QStandardItem(Latin1Text(CellText(figure, figures, sep)));
        if (figure.kind == FigureKind::Text)
            item->setData(Latin1Text(value.text), kSortRole);
        else
            item->setData(value.number.value_or(std::numeric_limits<double>::lowest()), kSortRole);
        item->setTextAlignment((figure.kind == FigureKind::Text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        items.push_back(item);
    }
    for (QStandardItem* item : items) item->setEditable(false);
    return items;
}

}  // namespace

BreakdownWindow::BreakdownWindow(QWidget* parent, char sep, ScanOptions scan)
    : QDialog(parent), sep_(sep), scan_(std::move(scan)) {
    scan_.matchLines = true;  // for the career and the players' names
    setObjectName("Breakdown");
    setWindowTitle("Breakdown \u2014 Tovrik Stats");
    setUpControls();
    // As large as it was drawn for, but never past the screen's room (at a scale of 2, a 1600x1000 screen
    // leaves 800x500 less the desktop's panels), the frame's share left aside.
    QSize size(900, 640);
    if (const QScreen* shown = parent != nullptr ? parent->screen() : screen())
        size = size.boundedTo(shown->availableGeometry().size() - QSize(16, 48));
    resize(size);
}

BreakdownWindow::~BreakdownWindow() { stopRead(); }

void BreakdownWindow::setUpControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeChoices());
    model_ = new QStandardItemModel(this);
    auto* sorted = new GroupSort(this);
    sorted->setSourceModel(model_);
    sorted->setSortRole(kSortRole);
    groups_ = new QTableView(this);
    groups_->setObjectName("Groups");
    groups_->setModel(sorted);
    groups_->setSortingEnabled(true);
    groups_->sortByColumn(0, Qt::AscendingOrder);
    groups_->setSelectionBehavior(QAbstractItemView::SelectRows);
    groups_->verticalHeader()->hide();
    groups_->verticalHeader()->setDefaultSectionSize(groups_->fontMetrics().height() + 6);
    groups_->horizontalHeader()->setMinimumSectionSize(48);
    groups_->viewport()->installEventFilter(this);
    groups_->setToolTip("Double click a row to open the folder of its matches");
    connect(groups_, &QTableView::doubleClicked, this, &BreakdownWindow::openRow);
    layout->addWidget(groups_, 3);
    chart_ = new TimeChart(this);
    chart_->setObjectName("TimeChart");
    layout->addWidget(chart_, 2);
    matches_ = new QTreeWidget(this);
    matches_->setObjectName("Matches");
    matches_->setHeaderLabels({"Match", "Accuracy", "Date", "Time", "Map", "File"});
    matches_->setRootIsDecorated(false);
    matches_->setMaximumHeight(72);
    matches_->setToolTip("Double click a match to open its folder");
    connect(matches_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openFolder(item->data(5, Qt::UserRole).toByteArray().toStdString()); });
    layout->addWidget(matches_);
    layout->addWidget(makeButtons());
    poll_ = new QTimer(this);
    poll_->setInterval(100);
    connect(poll_, &QTimer::timeout, this, &BreakdownWindow::showProgress);
}

std::optional<Grouping> BreakdownWindow::groupingChosen() const {
    const auto index = static_cast<std::size_t>(grouping_->currentIndex());
    if (index >= Groupings().size()) return std::nullopt;
    return Groupings()[index].grouping;
}

void BreakdownWindow::fill(const Breakdown& b) {
    // The sort the player chose outlives the rows; emptying the model takes its arrow away.
    QHeaderView* header = groups_->horizontalHeader();
    const int sortColumn = std::max(0, header->sortIndicatorSection());
    const Qt::SortOrder sortOrder = header->sortIndicatorOrder();
    model_->clear();
    QStringList headers;
    for (const std::string& text : b.career ? CareerHeaders(b.header) : TableHeaders(b.header))
        headers << Latin1Text(text);
    model_->setHorizontalHeaderLabels(headers);
    for (std::size_t i = 0; i < b.rows.size(); ++i)
        model_->appendRow(RowItems(b.rows[i].label, static_cast<double>(i), FigureTable(), b.rows[i].figures, sep_));
    for (std::size_t i = 0; i < b.careerRows.size(); ++i)
        model_->appendRow(
            RowItems(b.careerRows[i].label, static_cast<double>(i), CareerTable(), b.careerRows[i].figures, sep_));
    QList<QStandardItem*> total = b.career
                                      ? RowItems(b.careerTotal.label, 0, CareerTable(), b.careerTotal.figures, sep_)
                                      : RowItems(b.total.label, 0, FigureTable(), b.total.figures, sep_);
    for (QStandardItem* item : total) {
        item->setData(true, kTotalRole);
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
    }
    model_->appendRow(total);
    groups_->sortByColumn(sortColumn, sortOrder);
    fitColumns();
    std::optional<Grouping> grouping = groupingChosen();
    chart_->show(b, grouping, sep_);
    bool dated = grouping && *grouping != Grouping::Map;
    chart_->setVisible(dated);
    findChild<QPushButton*>("SaveChart")->setEnabled(dated);
    matches_->setVisible(!b.career);  // a career has no best or worst accuracy
    fillMatches(b);
}

void BreakdownWindow::fitColumns() {
    // Every column as wide as its header with its sort arrow and its cells, the room left shared out: a table
    // wider than the window scrolls rather than cut a header.
    QHeaderView* header = groups_->horizontalHeader();
    const int count = header->count();
    if (count == 0) return;
    std::vector<int> needs(static_cast<std::size_t>(count));
    int sum = 0;
    for (int column = 0; column < count; ++column) {
        groups_->resizeColumnToContents(column);
        sum += needs[static_cast<std::size_t>(column)] = header->sectionSize(column);
    }
    const int extra = std::max(0, groups_->viewport()->width() - sum) / count;
    for (int column = 0; column < count; ++column)
        header->resizeSection(column, needs[static_cast<std::size_t>(column)] + extra);
}

bool BreakdownWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == groups_->viewport() && event->type() == QEvent::Resize) fitColumns();
    return QDialog::eventFilter(watched, event);
}

void BreakdownWindow::fillMatches(const Breakdown& b) {
    matches_->clear();
    for (const auto& [name, match] : {std::make_pair("Best", b.best), std::make_pair("Worst", b.worst)}) {
        if (!match) continue;
        const MatchPlace& place = match->place;
        auto dash = [](const std::string& text) { return text.empty() ? QString("-") : Latin1Text(text); };
        auto* item = new QTreeWidgetItem(
            matches_,
            QStringList{match->weapon.empty() ? name : name + (", " + Latin1Text(match->weapon)),
                        Latin1Text(OneDecimal(match->accuracy, sep_)) + "%", dash(place.day()), dash(place.clock()),
                        Latin1Text(place.map), QString::fromLocal8Bit(place.path.c_str())});
        item->setData(5, Qt::UserRole, QByteArray::fromStdString(match->folder));
    }
    for (int column = 0; column < 5; ++column) matches_->resizeColumnToContents(column);
}

void BreakdownWindow::clearFigures(const QString& status) {
    model_->removeRows(0, model_->rowCount());
    matches_->clear();
    chart_->show(Breakdown{}, std::nullopt, sep_);
    breakdown_.reset();
    status_->setText(status);
    status_->setToolTip(status);  // whole, where the row cuts it
    emit updated();
}

void BreakdownWindow::openRow(const QModelIndex& index) {
    auto* sorted = static_cast<QSortFilterProxyModel*>(groups_->model());
    int row = sorted->mapToSource(index).row();
    if (!breakdown_ || row < 0) return;
    // The total row: the whole folder.
    openFolder(static_cast<std::size_t>(row) < breakdown_->folders.size() ? breakdown_->folders[row] : statsDir_);
}

void BreakdownWindow::openFolder(const std::string& folder) { OpenFolder(this, folder); }

void BreakdownWindow::closeEvent(QCloseEvent* event) {
    stopRead();
    QDialog::closeEvent(event);
}

void BreakdownWindow::reject() {
    stopRead();
    QDialog::reject();
}

}  // namespace tovrik
