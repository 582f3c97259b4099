#include "engine/read_ring.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <system_error>

#include "base/thread_start.h"
#include "fileio/file_read.h"

namespace tovrik {
namespace {

// Threads that list folders ahead of the walk once reads wait on the disk.
constexpr unsigned kFolderListers = 4;
// A batch that waited this long, blocked this often, is one of a cold read:
// a batch from the page cache waits for nothing.
constexpr std::int64_t kWaitingNs = 500000;
constexpr long kBlockedReads = 8;

bool NextJob(TreeWalk& walk, Job& job) {
    if (!walk.next(job.file)) return false;
    job.path.assign(walk.folders()[job.file.folder]).append(job.file.name);  // in place: no allocation a file
    job.record.date = DateOfPath(walk.folders()[job.file.folder], job.file.name, job.record.time);
    job.failure = nullptr;
    return true;
}

// Nanoseconds of the monotonic clock.
std::int64_t Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// This thread's processor time in nanoseconds, and the times it gave the
// processor up of itself: one system call for both.
struct Usage {
    std::int64_t cpu;
    long blocked;
};
Usage ThreadUsage() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto nanoseconds = [](const timeval& t) { return (std::int64_t{t.tv_sec} * 1000000 + t.tv_usec) * 1000; };
    return Usage{nanoseconds(usage.ru_utime) + nanoseconds(usage.ru_stime), usage.ru_nvcsw};
}

}  // namespace

Ring::Ring(unsigned helpers, unsigned most, std::string root, ReadFn read)
    : root_(std::move(root)),
      batches_(std::max(helpers + 1, most) * 2),
      done_(batches_.size(), false),
      read_(std::move(read)),
      most_(std::max(helpers + 1, most)) {
    for (unsigned i = 0; i < helpers; ++i) addReader();
}

Ring::~Ring() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    toReaders_.notify_all();
    for (std::thread& reader : readers_) reader.join();
}

Batch* Ring::next(TreeWalk& walk, MatchReader& reader) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (walking_ && submitted_ - consumed_ < ahead())
            fillOne(walk, lock);
        else if (consumed_ == submitted_)
            return nullptr;
        else if (done_[consumed_ % batches_.size()])
            return &batches_[consumed_ % batches_.size()];
        else if ((!waiting_ || readers_.empty()) && taken_ < submitted_)
            readBatch(reader, lock);
        else
            toSink_.wait(lock);
    }
}

void Ring::release() {
    std::lock_guard<std::mutex> lock(mutex_);
    done_[consumed_ % batches_.size()] = false;
    ++consumed_;
}

// Batches walked ahead of the sink: two a reader, the ring's room once reads
// wait on the disk.
std::size_t Ring::ahead() const {
    return waiting_ ? batches_.size() : std::min(batches_.size(), 2 * (readers_.size() + 1));
}

// Walks one batch into the ring's next free room, with the lock released meanwhile.
void Ring::fillOne(TreeWalk& walk, std::unique_lock<std::mutex>& lock) {
    Batch& batch = batches_[submitted_ % batches_.size()];
    lock.unlock();
    batch.count = 0;
    if (batch.jobs.empty()) batch.jobs.resize(kBatch);
    while (batch.count < kBatch && NextJob(walk, batch.jobs[batch.count])) ++batch.count;
    const std::size_t folders = walk.folders().size();
    lock.lock();
    if (prefetch_) prefetch_->walked(folders);
    walking_ = batch.count == kBatch;
    if (batch.count == 0) return;
    ++submitted_;
    toReaders_.notify_one();
}

// Reads wait on the disk, and so do the walk's listings: the sink's thread
// leaves reading to the readers and walks ahead, and a few threads list the
// folders ahead of it.
void Ring::startWaiting() {
    waiting_ = true;
    toSink_.notify_one();
    try {
        if (!root_.empty()) prefetch_ = std::make_unique<FolderPrefetch>(root_, kFolderListers);
    } catch (const std::exception&) {
        // A hint only: the walk lists the folders itself.
    }
}

// One more reader, under the lock or before any runs. A process at its limit
// of threads reads with those it has: the sink's own thread at least.
void Ring::addReader() {
    try {
        readers_.push_back(StartThread("tovrik-read", [this] { readLoop(); }));
    } catch (const std::system_error&) {
        most_ = 0;  // none more
    }
}

void Ring::readLoop() {
    MatchReader reader;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        toReaders_.wait(lock, [this] { return stopping_ || taken_ < submitted_; });
        if (stopping_) return;
        readBatch(reader, lock);
    }
}

// Reads the next batch not taken, with the lock released meanwhile.
void Ring::readBatch(MatchReader& reader, std::unique_lock<std::mutex>& lock) {
    std::size_t at = taken_++ % batches_.size();
    const bool fromDisk = waiting_;
    lock.unlock();
    Batch& batch = batches_[at];
    // From the disk, the batch's files are asked for all at once: the reads below then mostly find them in
    // memory, and the thread waits about once a batch rather than once a file.
    if (fromDisk)
        for (std::size_t i = 0; i < batch.count && !stopping_; ++i)
            if (batch.jobs[i].file.isRegular) ReadAhead(batch.jobs[i].file.folderFd->get(), batch.jobs[i].file.name);
    const std::int64_t wall = Now();
    const Usage before = ThreadUsage();
    for (std::size_t i = 0; i < batch.count && !stopping_; ++i) {
        try {
            read_(reader, batch.jobs[i]);
        } catch (...) {
            batch.jobs[i].failure = std::current_exception();
        }
    }
    // Waiting on the disk: the thread gave the processor up for reads a few times (a thread the others only
    // crowd out of it is preempted, which is no giving up), and the batch took mostly that time.
    const std::int64_t spent = Now() - wall;
    bool waiting = false;
    if (spent > kWaitingNs) {
        const Usage after = ThreadUsage();
        waiting = after.blocked - before.blocked >= kBlockedReads && spent - (after.cpu - before.cpu) > kWaitingNs;
    }
    lock.lock();
    if (waiting && !waiting_ && most_ > readers_.size() + 1) startWaiting();
    // A reader more for each batch left that no reader has taken.
    if (waiting)
        for (std::size_t left = submitted_ - taken_; left > 0 && !stopping_ && readers_.size() + 1 < most_; --left)
            addReader();
    done_[at] = true;
    if (at == consumed_ % batches_.size()) toSink_.notify_one();
}

}  // namespace tovrik
