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
    stack_.push_back(Listed{"", {root.empty() || root.back() == '/' ? root : root + "/"}});
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

void FolderPrefetch::walked(std::size_t folders) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (folders <= walked_) return;
    walked_ = folders;
    more_.notify_all();
}

bool FolderPrefetch::take(std::string& path) {
    while (!stack_.empty() && stack_.back().next == stack_.back().folders.size()) stack_.pop_back();
    if (stack_.empty() || listed_ >= walked_ + kLead) return false;
    Listed& top = stack_.back();
    path = top.path + top.folders[top.next++] + (top.path.empty() ? "" : "/");
    ++listed_;
    return true;
}

void FolderPrefetch::listLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    std::string path;
    for (;;) {
        more_.wait(lock, [&] { return stopping_ || take(path) || (stack_.empty() && busy_ == 0); });
        if (stopping_ || path.empty()) break;  // stopped, or every folder listed
        ++busy_;
        lock.unlock();
        std::vector<std::string> folders = SubFolders(path);
        lock.lock();
        --busy_;
        if (!folders.empty()) stack_.push_back(Listed{path, std::move(folders)});
        path.clear();
        more_.notify_all();
    }
    more_.notify_all();
}

}  // namespace tovrik
