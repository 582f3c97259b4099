#pragma once

#include <optional>
#include <string>

namespace tovrik {

// The file whose presence beside the program makes a copy portable: it then
// keeps "path.dat" and the chart's module beside itself. The build marks the
// folder of the programs it makes so.
constexpr const char* kPortableMarker = "tovrik-stats.portable";

// Whether the folder `appDir` holds a portable copy: the marker lies in it.
bool IsPortable(const std::string& appDir);

// Where "path.dat" lives for a program in `appDir`: beside it when the
// folder is marked portable (as the build's is), else in each user's
// `configDir`; "" when that is not known.
std::string PathDatLocation(const std::string& appDir, const std::string& configDir);

// The statistics directory remembered at `location`: its first line (of the
// first 4,096 bytes, the longest path), or "" when there is none. Where the
// file is there but cannot be read, `why` says so in the system's words.
std::string ReadPathDat(const std::string& location, std::string* why = nullptr);

// Remembers `directory` at `location`, creating `configDir` first when the
// location lies in it. Returns why it could not be kept, or nothing.
std::optional<std::string> WritePathDat(const std::string& location, const std::string& configDir,
                                        const std::string& directory);

}  // namespace tovrik
