#include "ui/qt/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QFileInfo>

namespace tovrik {
namespace {

// Entries made, removed and renamed, files written or cut in place, and the folder itself gone.
constexpr std::uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE |
                                        IN_MODIFY | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// In the root's parent, what happens to the root's own name.
constexpr std::uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;

}  // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent), fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ < 0) return;  // no watch to be had: the window is run again by F5 alone
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FolderWatch::readEvents);
}

FolderWatch::~FolderWatch() {
    if (fd_ >= 0) close(fd_);
}

void FolderWatch::watch(const QString& root, const QStringList& folders) {
    if (fd_ < 0) return;
    if (root != root_) {
        if (parentWatch_ >= 0) inotify_rm_watch(fd_, parentWatch_);
        root_ = root;
        const QString parent = QFileInfo(root).absolutePath();
        parentWatch_ = parent == root ? -1 : inotify_add_watch(fd_, parent.toLocal8Bit().constData(), kNameEvents);
    }
    for (const QString& folder : folders) {
        if (folders_.contains(folder)) continue;
        const int watch = inotify_add_watch(fd_, folder.toLocal8Bit().constData(), kFolderEvents);
        if (watch < 0) continue;  // gone meanwhile, or past the user's share of watches
        byWatch_.insert(watch, folder);
        folders_.insert(folder);
    }
}

void FolderWatch::clear() {
    for (auto at = byWatch_.cbegin(); at != byWatch_.cend(); ++at) inotify_rm_watch(fd_, at.key());
    byWatch_.clear();
    folders_.clear();
}

void FolderWatch::readEvents() {
    alignas(inotify_event) char buffer[16384];
    const QString rootName = QFileInfo(root_).fileName();
    bool rootMoved = false;
    QStringList changed;
    for (;;) {
        const ssize_t got = read(fd_, buffer, sizeof buffer);
        if (got <= 0) break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {  // events were lost: everything is watched and run anew
                rootMoved = true;
                continue;
            }
            if (event->wd == parentWatch_) {
                rootMoved = rootMoved || (event->len > 0 && QString::fromLocal8Bit(event->name) == rootName);
                continue;
            }
            const QString folder = byWatch_.value(event->wd);
            if (event->mask & IN_IGNORED) {  // its folder is gone: the watch with it
                byWatch_.remove(event->wd);
                folders_.remove(folder);
            }
            if (!folder.isEmpty() && !changed.contains(folder)) changed << folder;
        }
    }
    for (const QString& folder : changed) emit this->changed(folder);
    if (rootMoved) emit this->rootMoved();
}

}  // namespace tovrik
