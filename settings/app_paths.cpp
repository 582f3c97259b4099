#include "settings/app_paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "fileio/unique_fd.h"

namespace tovrik {

std::string ProgramDir() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return ".";
        if (static_cast<std::size_t>(n) < buffer.size())
            return DirOf(std::string(buffer.data(), static_cast<std::size_t>(n)));
        buffer.resize(buffer.size() * 2);
    }
}

std::string DirOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    // A session without HOME (a service, env -i) still has the user's own.
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string DefaultConfigDir() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/tovrik-stats";
    std::string home = HomeDir();
    return home.empty() ? "" : home + "/.config/tovrik-stats";
}

std::string UsualStatsFolder() {
    std::string home = HomeDir();
    if (home.empty()) return "";
    for (const char* folder : {"/.etlegacy/legacy/stats", "/.var/app/com.etlegacy.ETLegacy/.etlegacy/legacy/stats",
                               "/.etwolf/etmain/stats"}) {
        std::string path = home + std::string(folder);
        struct stat info {};
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return path;
    }
    return "";
}

bool MakeDirectories(const std::string& dir) {
    for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        std::string part = dir.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tovrik
