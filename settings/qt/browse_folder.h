#pragma once

#include <QDialog>
#include <QIcon>
#include <string>

#include "settings/browse_callback.h"

class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace tovrik {

// The folder browser: the prompt at the top, a status text showing the
// selected folder's path, a tree of folders, OK and Cancel. It reports to
// BrowseCallbackProc when it opens and whenever the selection changes.
class BrowseFolderDialog : public QDialog, public BrowseDialog {
    Q_OBJECT
public:
    BrowseFolderDialog(const QString& title, std::int32_t root, BrowseRequest request, QWidget* owner,
                       const QString& note = QString());

    // The flags the dialog was opened with: the caller's and the status text's.
    std::int32_t requestFlags() const { return request_.flags | kBrowseStatusText; }
    // The chosen folder's path, or "cancel".
    std::string result() const { return result_; }

    // BrowseDialog.
    void SetSelection(const std::string& path) override;
    void SetStatusText(const std::string& text) override;
    bool MoveStatusItem(int left, int top, int width, int height) override;
    bool LoadIcon(const std::string& name) override;
    void SetSmallIcon() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpTree(const QString& rootPath);  // the folders from `rootPath` down
    void setUpButtons(int top);
    void followSelection();
    void selectionChanged();
    QString selectedPath() const;  // "" when no folder is selected

    BrowseRequest request_;
    QFileSystemModel* model_;
    QTreeView* tree_;
    QLabel* status_;
    QPushButton* ok_;
    QIcon loadedIcon_;
    bool initialized_ = false;
    bool following_ = true;  // the selection is kept in sight as folders load, until the user takes over
    std::string result_ = "cancel";
};

// Opens the folder browser modal to `owner` and returns the chosen folder's
// path, or "cancel" when the user cancels or closes it. A `note` is shown
// under the folders.
std::string BrowseFolder(const std::string& title, const std::string& initialPath, std::int32_t root,
                         std::int32_t flags, QWidget* owner, const std::string& iconName, const std::string& note = "");

}  // namespace tovrik
