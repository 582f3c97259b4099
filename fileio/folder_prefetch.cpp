#include "fileio/folder_prefetch.h"

#include <dirent.h>
#include <fcntl.h>

#include <algorithm>
#include <system_error>

#include "base/thread_start.h"
#include "fileio/directory.h"

namespace tovrik {
namespace {

// The names of the folders in the folder at `path` (not through links), in
// the walk's order; none when it cannot be listed.
std::vector<std::string> SubFolders(const std::string& path) {
    std::vector<std::string> names;
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return names;
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (entry->d_type == DT_DIR && name != "." && name != "..") names.emplace_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return NameLess(a, b); });
    return names;
}

}  // namespace

FolderPrefetch::FolderPrefetch(const std::string& root, unsigned threads) {
    waiting_.push_back(root.empty() || root.back() == '/' ? root : root + "/");
    for (unsigned i = 0; i < threads; ++i) {
        try {
            threads_.push_back(StartThread("tovrik-list", [this] { listLoop(); }));
        } catch (const std::system_error&) {
            break;  // those that started list
        }
    }
}

FolderPrefetch::~FolderPrefetch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    more_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void FolderPrefetch::listLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        more_.wait(lock, [this] { return stopping_ || !waiting_.empty() || busy_ == 0; });
        if (stopping_ || waiting_.empty()) break;  // stopped, or every folder listed
        const std::string path = std::move(waiting_.front());
        waiting_.pop_front();
        ++busy_;
        lock.unlock();
        std::vector<std::string> names = SubFolders(path);
        lock.lock();
        --busy_;
        const std::size_t room = kMostWaiting - std::min(kMostWaiting, waiting_.size());
        for (std::size_t i = std::min(room, names.size()); i-- > 0;) waiting_.push_front(path + names[i] + "/");
        more_.notify_all();
    }
    more_.notify_all();
}

}  // namespace tovrik
