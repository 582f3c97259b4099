#pragma once

#include <functional>
#include <string>

#include "engine/match_reader.h"

namespace tovrik {

// Called with each record in search order, the names it points into and its
// own lines (all unknown unless the scan reads them); returning false ends
// the scan.
using MatchSink = std::function<bool(const MatchNames& names, MatchRecord& record, const MatchLines& lines)>;

// How a scan reads. The defaults are the programs'.
struct ScanOptions {
    // Readers working side by side; 0: TOVRIK_THREADS when set, else the
    // processors this process may use, at most 8.
    unsigned threads = 0;
    // The matches' own lines read too, their ranks and players named in
    // MatchNames.
    bool matchLines = false;
};

// The readers a scan with `requested` threads starts with (see ScanOptions).
// With the default count, a scan whose reads wait on the disk (the first
// after the computer starts) adds readers, up to kMostReaders.
unsigned ReaderThreads(unsigned requested);
constexpr unsigned kMostReaders = 16;

// Reads every match file ("*.txt") below `statsDir` and hands each record to
// `each` strictly in search order, whatever order the readers finish in; the
// records' folders and maps are put into `names`, empty before. Once `each` returns false
// nothing more is handed on, and no reader outlives the call. An empty folder
// setting names no folder.
void ScanTree(const std::string& statsDir, WeaponSet weapons, MatchNames& names, const MatchSink& each,
              const ScanOptions& options = {});

// The records of ScanTree, kept. `carryOn`, when given, is told the count of
// records kept after each one; returning false ends the reading there.
MatchTable ReadTree(const std::string& statsDir, WeaponSet weapons = kEveryWeapon, const ScanOptions& options = {},
                    const std::function<bool(std::size_t kept)>& carryOn = {});

}  // namespace tovrik
