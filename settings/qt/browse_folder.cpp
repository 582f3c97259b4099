#include "settings/qt/browse_folder.h"

#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

namespace tovrik {
namespace {

// The folder a special folder number stands for: the user's documents are the
// home folder; the computer's file systems, and any number not resolved here,
// are "/".
QString RootFolder(std::int32_t root) { return root == kFolderPersonal ? QDir::homePath() : "/"; }

QString Local(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A label of plain text that wraps, for the prompt and a folder's name.
QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

void BrowseFolderDialog::setUpButtons(int top) {
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok");
    ok_->setGeometry(150, top, 75, 23);
    ok_->setDefault(true);
    ok_->setEnabled(false);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancel");
    cancel->setGeometry(234, top, 75, 23);

    // The choice is the selected folder, not the tree's current item: the tree
    // makes its first item current when it takes the focus, and that is no
    // choice of the user's.
    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { selectionChanged(); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        const std::string chosen = selectedPath().toLocal8Bit().toStdString();
        // path.dat keeps a folder on a line of its own: a line end or another control byte in its name would be
        // saved and never found again.
        if (std::any_of(chosen.begin(), chosen.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
            QMessageBox box(QMessageBox::Warning, "Browse for Folder",
                            "The folder's name holds a control character (a line end, a tab...), which cannot be "
                            "remembered: rename the folder, or choose another.",
                            QMessageBox::Ok, this);
            box.exec();
            return;
        }
        result_ = chosen;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

BrowseFolderDialog::BrowseFolderDialog(const QString& title, std::int32_t root, BrowseRequest request, QWidget* owner,
                                       const QString& note)
    : QDialog(owner), request_(std::move(request)) {
    setWindowTitle("Browse for Folder");
    setModal(true);

    PlainLabel(this, "prompt", title, QRect(11, 11, 298, 20));
    status_ = PlainLabel(this, "status", QString(), QRect(11, 31, 298, 16));  // a folder's name
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setVisible((requestFlags() & kBrowseStatusText) != 0);

    setUpTree(RootFolder(root));
    int top = 346;
    if (!note.isEmpty()) {
        QLabel* label = PlainLabel(this, "note", note, QRect(11, 340, 298, 0));
        label->resize(298, label->heightForWidth(298));
        top += label->height() + 2;
    }
    setUpButtons(top);
    setFixedSize(320, top + 34);
}

void BrowseFolderDialog::setUpTree(const QString& rootPath) {
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(rootPath);

    tree_ = new QTreeView(this);
    tree_->setObjectName("tree");
    tree_->setGeometry(11, 84, 298, 250);
    tree_->setModel(model_);
    // "/" is the one top entry; another root shows its folders at the top.
    tree_->setRootIndex(rootPath == "/" ? model_->index(rootPath).parent() : model_->index(rootPath));
    for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
    tree_->header()->hide();
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->expand(model_->index(rootPath));  // the file systems' folders at once
    // The folders load a level at a time, after the selection was made: each level moves it.
    connect(model_, &QFileSystemModel::directoryLoaded, this, &BrowseFolderDialog::followSelection);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &BrowseFolderDialog::followSelection);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
}

void BrowseFolderDialog::followSelection() {
    if (following_ && tree_->currentIndex().isValid()) tree_->scrollTo(tree_->currentIndex());
}

bool BrowseFolderDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress) following_ = false;
    return QDialog::eventFilter(watched, event);
}

void BrowseFolderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!initialized_) {
        initialized_ = true;
        BrowseCallbackProc(*this, request_, kBrowseInitialized, nullptr);
    }
}

QString BrowseFolderDialog::selectedPath() const {
    const QModelIndexList selected = tree_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : model_->filePath(selected.first());
}

void BrowseFolderDialog::selectionChanged() {
    QString path = selectedPath();
    ok_->setEnabled(!path.isEmpty());
    std::string bytes = path.toLocal8Bit().toStdString();
    BrowseCallbackProc(*this, request_, kBrowseSelChanged, path.isEmpty() ? nullptr : &bytes);
}

void BrowseFolderDialog::SetSelection(const std::string& path) {
    if (path.empty()) return;
    QModelIndex index = model_->index(Local(path));
    if (!index.isValid()) return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) tree_->expand(up);
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
}

void BrowseFolderDialog::SetStatusText(const std::string& text) { status_->setText(Local(text)); }

bool BrowseFolderDialog::MoveStatusItem(int left, int top, int width, int height) {
    status_->setGeometry(left, top, width, height);
    return true;
}

bool BrowseFolderDialog::LoadIcon(const std::string& name) {
    QIcon icon(":/icons/" + QString::fromStdString(name));
    if (icon.availableSizes().isEmpty()) return false;
    loadedIcon_ = icon;
    return true;
}

void BrowseFolderDialog::SetSmallIcon() { setWindowIcon(loadedIcon_); }

std::string BrowseFolder(const std::string& title, const std::string& initialPath, std::int32_t root,
                         std::int32_t flags, QWidget* owner, const std::string& iconName, const std::string& note) {
    BrowseFolderDialog dialog(Local(title), root, BrowseRequest{initialPath, iconName, flags}, owner, Local(note));
    dialog.exec();
    return dialog.result();
}

}  // namespace tovrik
