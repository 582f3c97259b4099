// The reader of one whole match file: whatever its bytes, the record is read, passed over, or stops, and every
// error names the file and a line of it.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/match_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int fd = memfd_create("match.txt", 0);
    if (fd < 0) std::abort();
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    static tovrik::MatchReader reader;
    tovrik::MatchRecord record;
    std::string map;
    tovrik::MatchLines lines;
    tovrik::MatchLineTexts texts;
    bool mapRead = reader.read(AT_FDCWD, path, path, tovrik::kEveryWeapon, record, map, &lines, &texts);
    // The match's own lines: a rank with its XP, a player with the rounds, never a figure below 0.
    if (texts.rank.empty() == lines.number(tovrik::MatchLines::Xp).has_value()) std::abort();
    if (texts.player.empty() == lines.number(tovrik::MatchLines::Rounds).has_value()) std::abort();
    for (std::int32_t n : lines.numbers)
        if (n < 0) std::abort();
    if (record.date.known() != (record.time >= 0)) std::abort();  // dated only by a whole "Stats recorded" line
    if (mapRead != (record.status != tovrik::MatchStatus::PassedOver)) std::abort();  // never too large here
    if (record.status != tovrik::MatchStatus::Read && !record.rows.empty()) std::abort();
    std::int32_t last = 0;
    for (const tovrik::CountedRow& row : record.rows) {
        // Rows in file order, each failing one with its own error.
        if (row.line <= last || (row.failsAt == tovrik::CountedRow::kDone) == row.error.has_value()) std::abort();
        if (row.error && *row.error >= record.errors.size()) std::abort();
        last = row.line;
    }
    for (const tovrik::RunError& error : record.errors)
        if (error.path() != path || error.line() < 1) std::abort();
    return 0;
}
