// Every view of the report over a small tree made from the input: match files of both layouts, with names, folders,
// map lines, rows and the match's own lines from its bytes. A view prints, or stops on the one run-time error.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/report_views.h"
#include "base/run_error.h"

namespace {

using namespace tovrik;

// The folders a match file may lie in, and their names' patterns.
const char* const kPlaces[] = {
    "2026.12.06/%s.txt",     "2026.02.30/%s.txt", "2026-12/2026-12-07-%s-goldrush.txt", "notes/%s.txt", "%s.txt",
    "2026.12.06/deep/%s.txt"};

// Writes one file per chunk of the input (chunks end at a 0xFF byte): its first byte picks the place and its name.
void WriteTree(const std::string& dir, const std::uint8_t* data, std::size_t size) {
    std::size_t start = 0, count = 0;
    for (std::size_t i = 0; i <= size && count < 16; ++i) {
        if (i < size && data[i] != 0xFF) continue;
        if (i > start) {
            const char* place = kPlaces[data[start] % std::size(kPlaces)];
            char name[16], path[64];
            std::snprintf(name, sizeof name, "%06u", static_cast<unsigned>(data[start] * 1000 + count));
            std::snprintf(path, sizeof path, place, name);
            std::filesystem::path full = std::filesystem::path(dir) / path;
            std::filesystem::create_directories(full.parent_path());
            std::ofstream(full, std::ios::binary)
                .write(reinterpret_cast<const char*>(data + start + 1), static_cast<std::streamsize>(i - start - 1));
            ++count;
        }
        start = i + 1;
    }
}

void View(ReportOptions options) {
    std::ostringstream out, err;
    try {
        RunReport(options, out, err);
    } catch (const RunError& error) {
        if (error.path().empty()) std::abort();  // every stop names its file
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char pattern[] = "/tmp/tovrik-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    const std::string dir = pattern;
    WriteTree(dir, data, size);
    const std::size_t weapon = size > 0 ? data[0] % 28 : 4;
    ReportOptions o;
    o.statsDir = dir;
    for (ReportOutput output : {ReportOutput::Text, ReportOutput::Csv, ReportOutput::Json}) {
        o.output = output;
        o.weapon.reset(), o.grouping.reset(), o.chartFile.reset();
        View(o);  // the overview
        o.weapon = weapon;
        for (const GroupingName& name : Groupings()) o.grouping = name.grouping, o.groupName = name.word, View(o);
        o.grouping.reset();
        if (output != ReportOutput::Csv) View(o);  // the summary
        // The career, whole and by session, of everyone and of one player; the last session.
        o.weapon.reset(), o.career = true;
        View(o);
        o.grouping = Grouping::Session, o.groupName = "session", o.player = "smoky";
        View(o);
        o.career = false, o.grouping.reset(), o.weapon = weapon, o.lastSession = true;
        View(o);
        o.lastSession = false, o.player.clear();
    }
    o.output = ReportOutput::Text;
    o.period.since = DayOfText("2026-12-06"), o.period.until = DayOfText("2026-12-31");
    View(o);
    o.chartFile = dir + "/chart.png";
    View(o);
    o.mapChoice = "goldrush", o.trace = true;
    View(o);
    std::filesystem::remove_all(dir);
    return 0;
}
