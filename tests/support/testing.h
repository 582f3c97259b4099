#pragma once

// What the tests share beside their helpers: the test framework and the system and standard headers most use.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/run_error.h"

namespace tovrik::testing {

// A fresh folder for one test, removed with everything in it at the end.
class TempDir {
public:
    // Below `parent`: the system's temporary folder unless another is given, such as "/tmp" for a tree another
    // user must reach whatever TMPDIR is.
    explicit TempDir(const std::string& parent = std::filesystem::temp_directory_path().string());
    // Removes the folder, opening again for its owner what a test closed below it.
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // `relative` below the folder, its parent folders made; returns the full path.
    std::string write(const std::string& relative, const std::string& bytes) const;
    std::string mkdir(const std::string& relative) const;
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

// Sets (or, with nullptr, unsets) an environment variable for its lifetime, then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    static void Set(const char* name, const char* value);
    std::string name_, old_;
    bool had_;
};

// The whole content of a file; "" when it cannot be read.
std::string Slurp(const std::string& path);

// A match file as the game writes it: the map line, an empty line, `rows`.
std::string Match(const std::string& map, const std::string& rows);

// Called by the tree scan's readers before they read a file, with its path. Set only while no scan runs.
extern std::function<void(const std::string& path)> beforeRead;
// Called by a folder lister before it lists a folder, with its path. Set only while no lister runs.
extern std::function<void(const std::string& path)> beforeListing;
// Called with its name before the program starts a thread; throwing std::system_error refuses it, as the system
// refuses a process at its limit. Set only while no thread starts.
extern std::function<void(const std::string& name)> beforeThreadStart;

// Runs `act` in a child process, as nobody when this process is root, and gives its status: what `act` returns, 98
// when it threw, 99 when it could not become nobody, -1 when it did not end. Meanwhile `waiting`, when given, is
// called over and over until the child ends; once it returns false the child is killed.
int AsNobody(const std::function<int()>& act, const std::function<bool()>& waiting = nullptr);

// The whole of `name`, a file of tests/data: what a program is expected to write, say.
std::string DataFile(const std::string& name);

// One case of a table kept in tests/data: its fields, and where it stands ("report_exits.cases:12"), which names it.
struct Case {
    std::vector<std::string> fields;
    std::string place;
    const std::string& operator[](std::size_t i) const { return fields.at(i); }
    int number(std::size_t i) const { return std::stoi(fields.at(i)); }
};
// The cases of `table`, a file of tests/data, one a line: fields apart by blanks, in double quotes where a field
// holds a blank, a quote or an escape ("\t", "\n", "\r", "\\", "\"", "\x1B"); a line that begins with "#" is a comment.
std::vector<Case> Cases(const std::string& table);

// Success when `statement` throws a RunError of `kind` whose message is `message`.
::testing::AssertionResult RunErrorIs(const std::function<void()>& statement, RunError::Kind kind,
                                      const std::string& message);

}  // namespace tovrik::testing

// Expects `statement` to raise the run-time error of `kind` (Overflow, ...) with `message`.
#define ExpectRunError(statement, kind, message) \
    EXPECT_TRUE(::tovrik::testing::RunErrorIs([&] { statement; }, ::tovrik::RunError::Kind::kind, message))
