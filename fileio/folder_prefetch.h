#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tovrik {

// Lists the folders below a root on threads of its own, ahead of a walk that
// lists them one after another: a folder read from the disk is a wait, and
// the walk then finds it in memory. Folders are taken nearly in the walk's
// order (depth first, by name), a few at once. A hint, no more: a folder it
// cannot open or list, a link, or a thread it cannot start is left to the
// walk, and it remembers at most kMostWaiting folders not yet listed.
class FolderPrefetch {
public:
    FolderPrefetch(const std::string& root, unsigned threads);
    // Stops listing, whatever is left, and waits for the threads.
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    static constexpr std::size_t kMostWaiting = 4096;

private:
    void listLoop();

    std::mutex mutex_;
    std::condition_variable more_;
    std::deque<std::string> waiting_;  // paths ending in "/", the next first
    unsigned busy_ = 0;
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> threads_;
};

}  // namespace tovrik
