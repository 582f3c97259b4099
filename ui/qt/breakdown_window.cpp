#include "ui/qt/breakdown_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QUrl>
#include <QVBoxLayout>
#include <limits>

#include "base/number_text.h"
#include "ui/qt/latin1_text.h"
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
        return left.data(kSortRole).toDouble() < right.data(kSortRole).toDouble();
    }
};

QList<QStandardItem*> RowItems(const ViewRow& row, double place, char sep) {
    QList<QStandardItem*> items{new QStandardItem(Latin1Text(row.label))};
    items[0]->setData(place, kSortRole);
    for (const Figure& figure : FigureTable()) {
        auto* item = new QStandardItem(Latin1Text(CellText(figure, row.figures, sep)));
        item->setData(figure.read(row.figures).number.value_or(std::numeric_limits<double>::lowest()), kSortRole);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        items.push_back(item);
    }
    for (QStandardItem* item : items) item->setEditable(false);
    return items;
}

}  // namespace

BreakdownWindow::BreakdownWindow(QWidget* parent, char sep, ScanOptions scan)
    : QDialog(parent), sep_(sep), scan_(std::move(scan)) {
    setObjectName("Breakdown");
    setWindowTitle("Breakdown \u2014 Tovrik Stats");
    setUpControls();
    resize(900, 640);
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
    groups_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    groups_->horizontalHeader()->setMinimumSectionSize(48);
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
    model_->clear();
    QStringList headers;
    for (const std::string& header : TableHeaders(b.header)) headers << Latin1Text(header);
    model_->setHorizontalHeaderLabels(headers);
    for (std::size_t i = 0; i < b.rows.size(); ++i)
        model_->appendRow(RowItems(b.rows[i], static_cast<double>(i), sep_));
    QList<QStandardItem*> total = RowItems(b.total, 0, sep_);
    for (QStandardItem* item : total) {
        item->setData(true, kTotalRole);
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
    }
    model_->appendRow(total);
    groups_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    std::optional<Grouping> grouping = groupingChosen();
    chart_->show(b, grouping, sep_);
    bool dated = grouping && *grouping != Grouping::Map;
    chart_->setVisible(dated);
    findChild<QPushButton*>("SaveChart")->setEnabled(dated);
    fillMatches(b);
}

void BreakdownWindow::fillMatches(const Breakdown& b) {
    matches_->clear();
    for (const auto& [name, match] : {std::make_pair("Best", b.best), std::make_pair("Worst", b.worst)}) {
        if (!match) continue;
        const MatchPlace& place = match->place;
        auto dash = [](const std::string& text) { return text.empty() ? QString("-") : Latin1Text(text); };
        auto* item =
            new QTreeWidgetItem(matches_, QStringList{name, Latin1Text(OneDecimal(match->accuracy, sep_)) + "%",
                                                      dash(place.day()), dash(place.clock()), Latin1Text(place.map),
                                                      QString::fromLocal8Bit(place.path.c_str())});
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

void BreakdownWindow::openFolder(const std::string& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(folder.c_str())));
}

void BreakdownWindow::closeEvent(QCloseEvent* event) {
    stopRead();
    QDialog::closeEvent(event);
}

void BreakdownWindow::reject() {
    stopRead();
    QDialog::reject();
}

}  // namespace tovrik
