#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fileio/file_value.h"

namespace tovrik {

// Deletes the file outright (no trash, no question, nothing shown). True only
// when it is gone afterwards.
bool ShellDeleteFile(const std::string& path);

// Writes `data` from the file's first byte: a text as its bytes, a list of
// lines each followed by CR LF. With `deleteFirst` an existing file is
// deleted first (False, untouched, when that fails); otherwise it is
// overwritten without truncation. True only when at least one byte was
// written.
bool FileWrite(const std::string& path, const FileValue& data, bool deleteFirst);

// Writes `bytes` as the whole new content of `path`, or changes nothing: they
// go to a temporary file beside it, every write and the close checked, which
// then takes its place. An existing `path` that is not a regular file (a
// link, a device, a FIFO, a folder) is refused; a file replaced keeps its
// mode. A signal that ends the program is held back meanwhile. Returns what
// went wrong, in the system's words, or nothing.
std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes);

}  // namespace tovrik
