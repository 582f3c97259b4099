#pragma once

#include <string>

namespace tovrik {

// True when `appDir` is the programs' folder of an install: PREFIX/bin beside
// PREFIX/share/tovrik-stats.
bool InstalledLayout(const std::string& appDir);

// Where "path.dat" lives for a program in `appDir`. An installed program keeps
// it in each user's `configDir`, so that nothing is written into the install.
// Any other copy keeps it beside itself when it is there or can be written
// there, else in `configDir` (when known).
std::string PathDatLocation(const std::string& appDir, const std::string& configDir);

// The statistics directory remembered at `location`: its first line, or ""
// when there is none.
std::string ReadPathDat(const std::string& location);

// Remembers `directory` at `location`, creating `configDir` first when the
// location lies in it. A failure is silent: the choice holds for this run.
void WritePathDat(const std::string& location, const std::string& configDir, const std::string& directory);

}  // namespace tovrik
