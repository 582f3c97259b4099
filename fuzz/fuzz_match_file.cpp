// The scan of one whole match file: it counts, skips, or raises the one
// run-time error with the file and a line, never anything else.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/run_error.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte picks the weapon and the map choice; the rest is the file.
    const auto& weapons = tovrik::Form1::Weapons();
    const std::string weapon = weapons[data[0] % weapons.size()];
    const char* choices[] = {"", tovrik::Form1::kAllMaps, "goldrush"};
    const std::string map = choices[(data[0] / weapons.size()) % 3];

    static int fd = memfd_create("match.txt", 0);
    if (fd < 0) std::abort();
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data + 1, size - 1, 0) != static_cast<ssize_t>(size - 1)) std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    tovrik::RecordingControls controls;
    tovrik::Form1 form(controls);
    try {
        form.ScanMatchFile(path, weapon, map, 0);
    } catch (const tovrik::RunError& error) {
        if (error.path() != path || error.line() < 1) std::abort();
    }
    return 0;
}
