#include "fileio/folder_prefetch.h"

#include <dirent.h>
#include <fcntl.h>

#include <algorithm>
#include <system_error>

#include "base/thread_start.h"
#include "fileio/directory.h"

namespace tovrik {
// Called by a lister before it lists a folder: nothing in the programs; the
// tests link their own to see what is listed, and in which order.
[[gnu::weak]] void BeforeListing(const std::string& path);
void BeforeListing(const std::string&) {}

std::vector<std::string> FolderNames(const std::string& path, const std::string& after, std::size_t most) {
    const auto less = [](const std::string& a, const std::string& b) { return NameLess(a, b); };
    std::vector<std::string> names;  // a heap, the last in order on top, until sorted
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return names;
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (entry->d_type != DT_DIR || name == "." || name == ".." || (!after.empty() && !NameLess(after, name)))
            continue;
        names.emplace_back(name);
        std::push_heap(names.begin(), names.end(), less);
        if (names.size() > most) std::pop_heap(names.begin(), names.end(), less), names.pop_back();
    }
    closedir(dir);
    std::sort_heap(names.begin(), names.end(), less);
    return names;
}

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

bool FolderPrefetch::take(Task& task) {
    while (!stack_.empty() && stack_.back().next == stack_.back().folders.size() && !stack_.back().more)
        stack_.pop_back();
    if (stack_.empty() || listed_ >= walked_ + kLead) return false;
    Listed& top = stack_.back();
    if (top.next == top.folders.size()) {  // the folder again, for the names after its last
        task = Task{top.path, top.folders.back()};
        stack_.pop_back();
        return true;
    }
    task = Task{top.path + top.folders[top.next++] + (top.path.empty() ? "" : "/"), ""};
    ++listed_;
    return true;
}

void FolderPrefetch::listLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    Task task;
    for (;;) {
        more_.wait(lock, [&] { return stopping_ || take(task) || (stack_.empty() && busy_ == 0); });
        if (stopping_ || task.path.empty()) break;  // stopped, or every folder listed
        ++busy_;
        lock.unlock();
        BeforeListing(task.path);
        std::vector<std::string> folders = FolderNames(task.path, task.after, kLead);
        lock.lock();
        --busy_;
        const bool more = folders.size() == kLead;
        if (!folders.empty() && stack_.size() < kDeepest)
            stack_.push_back(Listed{task.path, std::move(folders), 0, more});
        task = Task{};
        more_.notify_all();
    }
    more_.notify_all();
}

}  // namespace tovrik
