#include "tests/support/testing.h"

#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tovrik::testing {

TempDir::TempDir(const std::string& parent) {
    std::string pattern = parent + "/tovrik-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    namespace fs = std::filesystem;
    std::error_code error, ignored;
    // Each folder is opened before the walk enters it; links are left alone, for what they name is not the test's.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::recursive_directory_iterator at(path_, error), end; !error && at != end; at.increment(error))
        if (!at->is_symlink(ignored)) fs::permissions(at->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    std::filesystem::remove_all(path_, error);
    if (error) std::fprintf(stderr, "could not remove %s: %s\n", path_.c_str(), error.message().c_str());
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name), had_(std::getenv(name) != nullptr) {
    if (had_) old_ = std::getenv(name);
    Set(name, value);
}

ScopedEnv::~ScopedEnv() { Set(name_.c_str(), had_ ? old_.c_str() : nullptr); }

void ScopedEnv::Set(const char* name, const char* value) { value ? setenv(name, value, 1) : unsetenv(name); }

std::string TempDir::write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path full = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
    return full.string();
}

std::string TempDir::mkdir(const std::string& relative) const {
    std::filesystem::create_directories(std::filesystem::path(path_) / relative);
    return path_ + "/" + relative;
}

std::string Slurp(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

std::string Match(const std::string& map, const std::string& rows) { return ">>> Map: " + map + "\n\n" + rows + "\n"; }

int AsNobody(const std::function<int()>& act, const std::function<bool()>& waiting) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {  // never goes back into the test framework
        int status = 99;
        try {
            if (geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) status = act();
        } catch (...) {
            status = 98;
        }
        _exit(status);
    }
    int status = -1;
    while (waitpid(child, &status, waiting ? WNOHANG : 0) == 0)
        if (!waiting()) kill(child, SIGKILL), waitpid(child, &status, 0), status = -1;
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string DataFile(const std::string& name) {
    std::ifstream in(TOVRIK_TEST_DATA "/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the data file " + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<Case> Cases(const std::string& table) {
    std::ifstream in(TOVRIK_TEST_DATA "/" + table);
    if (!in) throw std::runtime_error("cannot read the table " + table);
    std::vector<Case> cases;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        Case c{{}, table + ":" + std::to_string(++number)};
        for (std::size_t at = line.find_first_not_of(' '); at < line.size() && line[0] != '#';
             at = line.find_first_not_of(' ', at)) {
            std::string field;
            if (line[at] != '"') {
                field = line.substr(at, line.find(' ', at) - at);
                at += field.size();
            } else {
                for (++at; at < line.size() && line[at] != '"'; ++at) {
                    const char e = line[at] == '\\' ? line.at(++at) : '\0';
                    field += e == '\0' ? line[at] : e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
                    if (e == 'x')
                        field.back() = static_cast<char>(std::stoi(line.substr(at + 1, 2), nullptr, 16)), at += 2;
                }
                if (at++ >= line.size()) throw std::runtime_error(c.place + ": a quote without its end");
            }
            c.fields.push_back(std::move(field));
        }
        if (!c.fields.empty()) cases.push_back(std::move(c));
    }
    if (cases.empty()) throw std::runtime_error("the table " + table + " holds no case");
    return cases;
}

::testing::AssertionResult RunErrorIs(const std::function<void()>& statement, RunError::Kind kind,
                                      const std::string& message) {
    try {
        statement();
    } catch (const RunError& error) {
        if (error.kind() == kind && error.what() == message) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised kind " << static_cast<int>(error.kind()) << ": " << error.what()
                                             << "\n  expected kind " << static_cast<int>(kind) << ": " << message;
    }
    return ::testing::AssertionFailure() << "no run-time error; expected: " << message;
}

}  // namespace tovrik::testing

namespace tovrik {

std::function<void(const std::string& path)> testing::beforeRead;
std::function<void(const std::string& name)> testing::beforeThreadStart;
std::function<void(const std::string& path)> testing::beforeListing;

// The scan's seam: replaces the programs' own, which does nothing.
void BeforeRead(const std::string& path) {
    if (testing::beforeRead) testing::beforeRead(path);
}

// The folder listers' seam: replaces the programs' own, which does nothing.
void BeforeListing(const std::string& path) {
    if (testing::beforeListing) testing::beforeListing(path);
}

// The threads' seam: replaces the programs' own, which does nothing.
void BeforeThreadStart(const char* name) {
    if (testing::beforeThreadStart) testing::beforeThreadStart(name);
}

}  // namespace tovrik
