#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tovrik {

// The first `most` names, in the walk's order, of the folders in the folder
// at `path` (not links to folders) that come after `after` (every one when it
// is empty); none when it cannot be listed.
std::vector<std::string> FolderNames(const std::string& path, const std::string& after, std::size_t most);

// Lists the folders below a root on threads of its own, ahead of a walk that
// lists them one after another: a folder read from the disk is a wait, and
// the walk then finds it in memory. Folders are taken nearly in the walk's
// order (depth first, by name), a few at once, at most kLead folders ahead
// of the walk. Its memory is bounded whatever the tree: it keeps kLead names
// of a folder at a time, kDeepest folders deep. A hint, no more: a folder it
// cannot open or list, a link, or a thread it cannot start is left to the
// walk.
class FolderPrefetch {
public:
    FolderPrefetch(const std::string& root, unsigned threads);
    // Stops listing, whatever is left, and waits for the threads.
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // The walk has met `folders` folders so far.
    void walked(std::size_t folders);

    static constexpr std::size_t kLead = 1024, kDeepest = 64;

private:
    // A listed folder and the next of its folders to list; `more` when there
    // may be names after the last.
    struct Listed {
        std::string path;  // ending in "/"
        std::vector<std::string> folders;
        std::size_t next = 0;
        bool more = false;
    };
    // A folder to list, its folders' names after `after`.
    struct Task {
        std::string path, after;
    };
    void listLoop();
    // The next folder to list, taken; false when none is left for now.
    bool take(Task& task);

    std::mutex mutex_;
    std::condition_variable more_;
    std::vector<Listed> stack_;  // depth first: the top's next folder is listed next
    std::size_t listed_ = 0, walked_ = 0;
    unsigned busy_ = 0;
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> threads_;
};

}  // namespace tovrik
