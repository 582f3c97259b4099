#pragma once

#include <string>

namespace tovrik::testing {

// A fresh folder for one test, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
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

// The whole content of a file; "" when it cannot be read.
std::string Slurp(const std::string& path);

}  // namespace tovrik::testing
