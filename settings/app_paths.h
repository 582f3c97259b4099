#pragma once

#include <string>

namespace tovrik {

// The folder that holds the running program (from /proc/self/exe); "." when
// it cannot be told.
std::string ProgramDir();

// The folder part of `path`: "." when it has none, "/" for a name at the root.
std::string DirOf(const std::string& path);

// The user's home folder: $HOME, else the one the password database gives;
// "" when neither is known.
std::string HomeDir();

// $XDG_CONFIG_HOME/tovrik-stats, else ~/.config/tovrik-stats; empty when
// neither is known.
std::string DefaultConfigDir();

// The folder where the game keeps its statistics on this system, when it
// exists: today's game's ~/.etlegacy/legacy/stats (or the same below the
// Flathub package's home), else the classic game's ~/.etwolf/etmain/stats;
// "" when none does.
std::string UsualStatsFolder();

// Creates `dir` and its missing parents; true when it exists afterwards.
bool MakeDirectories(const std::string& dir);

}  // namespace tovrik
