#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/file_search.h"
#include "engine/match_reader.h"
#include "fileio/folder_prefetch.h"

namespace tovrik {

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

// Files travel in batches, so that the threads meet once a batch, not once a file.
constexpr std::size_t kBatch = 32;
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
    // once, and threads list the folders below `root` ahead of the walk.
    // From the page cache reads never wait, and no thread is added.
    Ring(unsigned helpers, unsigned most, std::string root, ReadFn read);
    // Stops the readers, whatever they were doing, and waits for them.
    ~Ring();
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;

    // The next batch in order once read; nullptr when none is left. Meanwhile
    // the caller's thread walks on while the ring has room, and reads while
    // reads come from the page cache; once they wait on the disk it leaves
    // reading to the readers and walks ahead, as listing folders waits too.
    Batch* next(TreeWalk& walk, MatchReader& reader);
    // Gives the batch that next() returned back to the walk.
    void release();

private:
    std::size_t ahead() const;
    void fillOne(TreeWalk& walk, std::unique_lock<std::mutex>& lock);
    void startWaiting();
    void addReader();
    void readLoop();
    void readBatch(MatchReader& reader, std::unique_lock<std::mutex>& lock);

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

}  // namespace tovrik
