#include "engine/tree_scan.h"

#include <sched.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "base/thread_start.h"
#include "engine/file_search.h"
#include "fileio/folder_prefetch.h"

namespace tovrik {
// Called by a reader before it reads a file: nothing in the programs; the
// tests link their own to slow a reader down or make it fail.
[[gnu::weak]] void BeforeRead(const std::string& path);
void BeforeRead(const std::string&) {}

namespace {

// One match file on its way from the walk through a reader to the sink.
struct Job {
    FoundFile file;
    std::string path;
    MatchRecord record;
    std::string map;
    MatchLines lines;
    MatchLineTexts texts;
    bool mapRead = false;
    bool denied = false;         // passed over: the user may not read it
    std::exception_ptr failure;  // anything but a run-time error, passed on
};

void Read(MatchReader& reader, WeaponSet weapons, bool matchLines, Job& job) {
    BeforeRead(job.path);
    job.record.name = job.file.name;
    job.mapRead = false;
    job.denied = false;
    job.lines = MatchLines{};
    job.texts.rank.clear(), job.texts.player.clear();
    if (!job.file.isRegular) {  // only a regular file is opened at all
        job.record.status = MatchStatus::PassedOver;
        job.record.rows.clear();
        job.record.errors.clear();
        // A folder that cannot be listed stops every run where the walk met it.
        if (job.file.error != 0) {
            job.record.status = MatchStatus::Stops;
            job.record.errors.push_back(SystemError(job.path, "folder", "listed", job.file.error));
        }
        return;
    }
    job.mapRead = reader.read(job.file.folderFd->get(), job.file.name, job.path, weapons, job.record, job.map,
                              matchLines ? &job.lines : nullptr, &job.texts);
    job.denied = reader.denied();
    if (!matchLines) return;
    std::int32_t kills = 0, deaths = 0;  // at most 32,767 rows of at most 32,767 each
    for (const CountedRow& row : job.record.rows)
        if (!row.error) kills += row.numbers[3], deaths += row.numbers[4];
    job.lines.tell(MatchLines::WeaponKills, kills);
    job.lines.tell(MatchLines::WeaponDeaths, deaths);
}

// The names of a scan, as the sink sees them: folders as the walk met them,
// maps as the records in search order meet them.
class Interner {
public:
    explicit Interner(MatchNames& names) : names_(names) {}

    void name(const TreeWalk& walk, Job& job) {
        while (names_.folders.size() <= job.file.folder)
            names_.folders.push_back(walk.folders()[names_.folders.size()]);
        job.record.folder = job.file.folder;
        job.record.map.reset();
        names_.deniedFiles += job.denied;
        if (!job.texts.rank.empty()) job.lines.rank = Intern(ranks_, names_.ranks, job.texts.rank);
        if (!job.texts.player.empty()) job.lines.player = Intern(players_, names_.players, job.texts.player);
        if (job.mapRead) job.record.map = Intern(maps_, names_.maps, job.map);
    }

private:
    // Names and their numbers, and the last one asked for: one match after
    // another mostly names the player and the rank of the one before.
    struct Numbers {
        std::unordered_map<std::string, std::uint32_t> of;
        std::uint32_t last = UINT32_MAX;
    };
    // The number of `name` in `list`, added when it is new.
    static std::uint32_t Intern(Numbers& numbers, std::vector<std::string>& list, const std::string& name) {
        if (numbers.last < list.size() && list[numbers.last] == name) return numbers.last;
        auto [at, added] = numbers.of.try_emplace(name, static_cast<std::uint32_t>(list.size()));
        if (added) list.push_back(name);
        return numbers.last = at->second;
    }

    MatchNames& names_;
    Numbers maps_, ranks_, players_;
};

bool NextJob(TreeWalk& walk, Job& job) {
    if (!walk.next(job.file)) return false;
    job.path.assign(walk.folders()[job.file.folder]).append(job.file.name);  // in place: no allocation a file
    job.record.date = DateOfPath(walk.folders()[job.file.folder], job.file.name, job.record.time);
    job.failure = nullptr;
    return true;
}

// Files travel in batches, so that the threads meet once a batch, not once a file.
constexpr std::size_t kBatch = 32;
// Threads that list folders ahead of the walk once reads wait on the disk.
constexpr unsigned kFolderListers = 4;
struct Batch {
    std::vector<Job> jobs;  // made when the batch is first filled: most of a ring's room is used only cold
    std::size_t count = 0;
};

// The batches between the walk, the readers and the sink: a ring the walk
// fills in search order, readers take from in that order and finish in any
// order, and the sink empties strictly in order. The sink's own thread walks,
// and reads too while the batch it waits for is not done, so that a scan of N
// threads keeps N busy and none waits for another while there is a batch to
// read.
class Ring {
public:
    using ReadFn = std::function<void(MatchReader&, Job&)>;

    // `helpers` read beside the sink's thread; while reads wait on the disk
    // (a batch's time is mostly spent waiting, not computing), more join,
    // up to `most` readers in all, so that the disk is given many reads at
    // once. From the page cache reads never wait, and no reader is added.
    Ring(unsigned helpers, unsigned most, std::string root, ReadFn read)
        : root_(std::move(root)),
          batches_(std::max(helpers + 1, most) * 2),
          done_(batches_.size(), false),
          read_(std::move(read)),
          most_(std::max(helpers + 1, most)) {
        for (unsigned i = 0; i < helpers; ++i) addReader();
    }
    // Stops the readers, whatever they were doing, and waits for them.
    ~Ring() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        toReaders_.notify_all();
        for (std::thread& reader : readers_) reader.join();
    }
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;

    // The next batch in order once read; nullptr when none is left. Meanwhile
    // the caller's thread walks on while the ring has room, and reads while
    // reads come from the page cache; once they wait on the disk it leaves
    // reading to the readers and walks ahead, as listing folders waits too.
    Batch* next(TreeWalk& walk, MatchReader& reader) {
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
    // Gives the batch that next() returned back to the walk.
    void release() {
        std::lock_guard<std::mutex> lock(mutex_);
        done_[consumed_ % batches_.size()] = false;
        ++consumed_;
    }

private:
    // Batches walked ahead of the sink: two a reader, the ring's room once
    // reads wait on the disk.
    std::size_t ahead() const {
        return waiting_ ? batches_.size() : std::min(batches_.size(), 2 * (readers_.size() + 1));
    }
    // Walks one batch into the ring's next free room, with the lock released meanwhile.
    void fillOne(TreeWalk& walk, std::unique_lock<std::mutex>& lock) {
        Batch& batch = batches_[submitted_ % batches_.size()];
        lock.unlock();
        batch.count = 0;
        if (batch.jobs.empty()) batch.jobs.resize(kBatch);
        while (batch.count < kBatch && NextJob(walk, batch.jobs[batch.count])) ++batch.count;
        lock.lock();
        walking_ = batch.count == kBatch;
        if (batch.count == 0) return;
        ++submitted_;
        toReaders_.notify_one();
    }
    // Reads wait on the disk, and so do the walk's listings: the sink's
    // thread leaves reading to the readers and walks ahead, and a few threads
    // list the folders ahead of it.
    void startWaiting() {
        waiting_ = true;
        toSink_.notify_one();
        try {
            if (!root_.empty()) prefetch_ = std::make_unique<FolderPrefetch>(root_, kFolderListers);
        } catch (const std::exception&) {
            // A hint only: the walk lists the folders itself.
        }
    }
    // One more reader, under the lock or before any runs. A process at its
    // limit of threads reads with those it has: the sink's own thread at least.
    void addReader() {
        try {
            readers_.push_back(StartThread("tovrik-read", [this] { readLoop(); }));
        } catch (const std::system_error&) {
            most_ = 0;  // none more
        }
    }
    void readLoop() {
        MatchReader reader;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            toReaders_.wait(lock, [this] { return stopping_ || taken_ < submitted_; });
            if (stopping_) return;
            readBatch(reader, lock);
        }
    }
    // Reads the next batch not taken, with the lock released meanwhile.
    void readBatch(MatchReader& reader, std::unique_lock<std::mutex>& lock) {
        std::size_t at = taken_++ % batches_.size();
        lock.unlock();
        Batch& batch = batches_[at];
        const std::int64_t wall = Now();
        const Usage before = ThreadUsage();
        for (std::size_t i = 0; i < batch.count && !stopping_; ++i) {
            try {
                read_(reader, batch.jobs[i]);
            } catch (...) {
                batch.jobs[i].failure = std::current_exception();
            }
        }
        // Waiting on the disk: the thread gave the processor up for reads a few times (a thread the others
        // only crowd out of it is preempted, which is no giving up), and the batch took mostly that time.
        const std::int64_t spent = Now() - wall;
        bool waiting = false;
        if (spent > kWaitingNs) {
            const Usage after = ThreadUsage();
            waiting = after.blocked - before.blocked >= kBlockedReads && spent - (after.cpu - before.cpu) > kWaitingNs;
        }
        lock.lock();
        // A reader more for each batch left that no reader has taken.
        if (waiting && !waiting_ && most_ > readers_.size() + 1) startWaiting();
        if (waiting)
            for (std::size_t left = submitted_ - taken_; left > 0 && !stopping_ && readers_.size() + 1 < most_; --left)
                addReader();
        done_[at] = true;
        if (at == consumed_ % batches_.size()) toSink_.notify_one();
    }
    // Nanoseconds of the monotonic clock.
    static std::int64_t Now() {
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
    static Usage ThreadUsage() {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        const auto nanoseconds = [](const timeval& t) { return (std::int64_t{t.tv_sec} * 1000000 + t.tv_usec) * 1000; };
        return Usage{nanoseconds(usage.ru_utime) + nanoseconds(usage.ru_stime), usage.ru_nvcsw};
    }
    // A batch that waited this long, blocked this often, is one of a cold
    // read: a batch from the page cache waits for nothing.
    static constexpr std::int64_t kWaitingNs = 500000;
    static constexpr long kBlockedReads = 8;

    std::string root_;
    std::vector<Batch> batches_;
    std::vector<bool> done_;
    ReadFn read_;
    unsigned most_;
    std::size_t submitted_{}, taken_{}, consumed_{};
    bool walking_ = true, waiting_ = false;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable toReaders_, toSink_;
    std::vector<std::thread> readers_;
    std::unique_ptr<FolderPrefetch> prefetch_;
};

// Reads with `threads` threads, the caller's one of them.
void ScanInParallel(const std::string& root, TreeWalk& walk, WeaponSet weapons, bool matchLines, Interner& interner,
                    const MatchNames& names, const MatchSink& each, unsigned threads, unsigned most) {
    Ring ring(threads - 1, most, root, [&](MatchReader& reader, Job& job) { Read(reader, weapons, matchLines, job); });
    MatchReader reader;
    for (;;) {
        Batch* batch = ring.next(walk, reader);
        if (batch == nullptr) return;
        for (std::size_t i = 0; i < batch->count; ++i) {
            Job& job = batch->jobs[i];
            if (job.failure) std::rethrow_exception(job.failure);
            interner.name(walk, job);
            if (!each(names, job.record, job.lines)) return;
        }
        ring.release();
    }
}

}  // namespace

unsigned ReaderThreads(unsigned requested) {
    if (requested == 0) {
        const char* forced = std::getenv("TOVRIK_THREADS");
        cpu_set_t cpus;
        if (forced != nullptr && std::atoi(forced) > 0)
            requested = static_cast<unsigned>(std::atoi(forced));
        else
            requested = sched_getaffinity(0, sizeof cpus, &cpus) == 0 ? static_cast<unsigned>(CPU_COUNT(&cpus)) : 1;
    }
    return std::clamp(requested, 1u, 8u);
}

void ScanTree(const std::string& statsDir, WeaponSet weapons, MatchNames& names, const MatchSink& each,
              const ScanOptions& options) {
    TreeWalk walk = MatchFiles(statsDir);
    Interner interner(names);
    const unsigned threads = ReaderThreads(options.threads);
    // Readers are added while reads wait on the disk only where their count is the default.
    const bool chosen = options.threads != 0 || std::getenv("TOVRIK_THREADS") != nullptr;
    ScanInParallel(statsDir, walk, weapons, options.matchLines, interner, names, each, threads,
                   chosen ? threads : kMostReaders);
    names.deniedFolders = walk.denied();
}

MatchTable ReadTree(const std::string& statsDir, WeaponSet weapons, const ScanOptions& options,
                    const std::function<bool(std::size_t kept)>& carryOn) {
    MatchTable table;
    table.withLines = options.matchLines;
    ScanTree(
        statsDir, weapons, table,
        [&](const MatchNames&, MatchRecord& record, const MatchLines& lines) {
            table.keep(record, lines);
            return !carryOn || carryOn(table.matches.size());
        },
        options);
    return table;
}

}  // namespace tovrik
