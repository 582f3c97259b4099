// The file reader's line splitting: lines are the maximal runs without CR or
// LF, never empty, in order.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "fileio/file_read.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    tovrik::SplitLines(bytes, lines);
    const char* last = bytes.data();
    for (std::string_view line : lines) {
        if (line.empty() || line.find_first_of("\r\n") != std::string_view::npos) std::abort();
        if (line.data() < last || line.data() + line.size() > bytes.data() + bytes.size()) std::abort();
        // A line starts at the file's start or right after a line end.
        if (line.data() != bytes.data() && line.data()[-1] != '\n' && line.data()[-1] != '\r') std::abort();
        last = line.data() + line.size();
    }
    return 0;
}
