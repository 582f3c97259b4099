#include "engine/tree_scan.h"

#include <sched.h>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "engine/read_ring.h"

namespace tovrik {
// Called by a reader before it reads a file: nothing in the programs; the
// tests link their own to slow a reader down or make it fail.
[[gnu::weak]] void BeforeRead(const std::string& path);
void BeforeRead(const std::string&) {}

namespace {

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

// The readers asked for, else those TOVRIK_THREADS sets (a positive
// number); none when neither chooses, and the scan picks its own.
unsigned ChosenReaders(unsigned requested) {
    const char* forced = std::getenv("TOVRIK_THREADS");
    if (requested == 0 && forced != nullptr && std::atoi(forced) > 0) return static_cast<unsigned>(std::atoi(forced));
    return requested;
}

}  // namespace

unsigned ReaderThreads(unsigned requested) {
    requested = ChosenReaders(requested);
    cpu_set_t cpus;
    if (requested == 0)
        requested = sched_getaffinity(0, sizeof cpus, &cpus) == 0 ? static_cast<unsigned>(CPU_COUNT(&cpus)) : 1;
    return std::clamp(requested, 1u, 8u);
}

void ScanTree(const std::string& statsDir, WeaponSet weapons, MatchNames& names, const MatchSink& each,
              const ScanOptions& options) {
    TreeWalk walk = MatchFiles(statsDir);
    Interner interner(names);
    const unsigned threads = ReaderThreads(options.threads);
    // Readers are added while reads wait on the disk only where nothing chose their count.
    const bool chosen = ChosenReaders(options.threads) != 0;
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
