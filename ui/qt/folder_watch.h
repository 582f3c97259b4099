#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>

namespace tovrik {

// Watches folders for what the game and the user do to match files: an entry
// made, removed or renamed, and a file written or cut in place, which Qt's
// folder watcher does not report. The statistics folder is also followed by
// its path: made again, or a link to it pointed elsewhere, it is said as such.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);
    ~FolderWatch() override;

    // Watches `folders` besides those watched, and `root` by its path; the
    // watches left past the system's limit are left.
    void watch(const QString& root, const QStringList& folders);
    // Stops every watch.
    void clear();

signals:
    // Something changed in `folder`.
    void changed(const QString& folder);
    // The statistics folder was made again, removed, or its path now leads
    // elsewhere; or the system lost events: all is to be watched anew.
    void rootMoved();

private:
    void readEvents();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QHash<int, QString> byWatch_;  // watch descriptor -> folder
    QSet<QString> folders_;        // those watched: a rewatch of thousands asks each once
    QString root_;
    int parentWatch_ = -1;  // the root's parent folder, for the root's own name
};

}  // namespace tovrik
