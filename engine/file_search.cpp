#include "engine/file_search.h"

#include <fcntl.h>

#include <utility>

#include "base/limits.h"
#include "base/run_error.h"

namespace tovrik {
namespace {

bool IsSubdirectory(const DirEntry& entry) { return entry.isDirectory && entry.name != "." && entry.name != ".."; }

}  // namespace

bool SeenFiles::insert(const FileId& id) {
    std::bitset<kBits>& word = words_[FileId{id.device, id.inode / kBits}];
    if (word.test(id.inode % kBits)) return false;
    word.set(id.inode % kBits);
    return true;
}

TreeWalk::TreeWalk(const std::string& dir, std::string pattern) : pattern_(std::move(pattern)) {
    if (dir.empty()) return;
    UniqueFd fd = OpenDirectoryAt(AT_FDCWD, dir);
    // The folder walked itself is listed, or said not to be: a walk of nothing would be taken for no matches.
    if (fd) {
        enter(std::move(fd), dir.back() == '/' ? dir : dir + "/", 0);
    } else {
        const int error = errno;
        folders_.emplace_back();
        fail(0, dir, error);
    }
}

void TreeWalk::fail(std::uint32_t folder, std::string name, int error) {
    failed_ = FoundFile{nullptr, folder, std::move(name), true, false, error};
    stack_.clear();
}

void TreeWalk::enter(UniqueFd fd, std::string path, unsigned long long parentDevice) {
    // Each directory once, however many links lead to it (loops included),
    // and none of the kernel's own file systems: a folder on its parent's
    // file system is on no other.
    if (!fd) return;
    FileId id = IdOf(fd);
    if (!id.known() || !seenDirectories_.insert(id)) return;
    if (id.device != parentDevice && OnVirtualFileSystem(fd)) return;
    int error = 0;
    std::vector<DirEntry> entries = ListDirectory(fd, id.device, &error);
    const Failure failure = FailureOf(error);
    if (error != 0 && (failure == Failure::System || folders_.empty())) {
        folders_.push_back(std::move(path));
        return fail(static_cast<std::uint32_t>(folders_.size() - 1), "", error);
    }
    denied_ += error != 0 && failure == Failure::Denied;
    Frame frame{std::make_shared<UniqueFd>(std::move(fd)), static_cast<std::uint32_t>(folders_.size()), id.device,
                std::move(entries)};
    for (std::size_t i = 0; i < frame.entries.size(); ++i)
        if (IsSubdirectory(frame.entries[i])) frame.lastSub = i + 1;
    folders_.push_back(std::move(path));
    stack_.push_back(std::move(frame));
}

void TreeWalk::descend(const DirEntry& entry) {
    Frame& frame = stack_.back();
    UniqueFd sub = OpenDirectoryAt(frame.fd->get(), entry.name);
    const int error = sub ? 0 : errno;
    const Failure failure = FailureOf(error);
    if (error != 0 && failure == Failure::System) return fail(frame.folder, entry.name, error);
    denied_ += error != 0 && failure == Failure::Denied;
    std::string path = folders_[frame.folder] + entry.name + "/";
    // Past its last subdirectory a folder is needed no more: along a deep
    // chain of single folders only the files' own folders stay open.
    unsigned long long device = frame.device;
    if (frame.nextSub >= frame.lastSub) stack_.pop_back();
    enter(std::move(sub), std::move(path), device);
}

bool TreeWalk::next(FoundFile& file) {
    while (!failed_ && !stack_.empty()) {
        Frame& frame = stack_.back();
        while (frame.nextMatch < frame.entries.size()) {
            const DirEntry& entry = frame.entries[frame.nextMatch++];
            if (!WildcardMatch(entry.name, pattern_)) continue;
            // A link or a hard link to an entry already yielded adds nothing.
            if (entry.id.known() && !seenEntries_.insert(entry.id)) continue;
            if (count_ == kLongMax)
                throw RunError(RunError::Kind::Overflow, "more than 2,147,483,647 match files were found.");
            ++count_;
            file = FoundFile{frame.fd, frame.folder, entry.name, entry.isDirectory, entry.isRegular};
            return true;
        }
        if (frame.nextSub >= frame.lastSub) {
            stack_.pop_back();
            continue;
        }
        const DirEntry& entry = frame.entries[frame.nextSub++];
        if (IsSubdirectory(entry)) descend(entry);
    }
    // A folder the system could not open or list is yielded last.
    if (!failed_) return false;
    file = std::move(*failed_);
    failed_.reset();
    return true;
}

TreeWalk MatchFiles(const std::string& statsDir) { return TreeWalk(statsDir, "*.txt"); }

}  // namespace tovrik
