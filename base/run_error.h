#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/limits.h"

namespace tovrik {

// The one run-time error of the core. A run stops where it is raised; the
// caller shows what() to the user. The scan fills in the match file and line
// before passing it on, so the message always says where the bad text is.
class RunError : public std::runtime_error {
public:
    enum class Kind { Overflow, SubscriptOutOfRange, Conversion, OutOfMemory, System };

    RunError(Kind kind, std::string detail);

    Kind kind() const { return kind_; }
    const std::string& detail() const { return detail_; }  // what is wrong, a sentence
    const std::string& path() const { return path_; }      // empty when not known
    int line() const { return line_; }                     // 1-based; 0 when not known

    // Sets the match file and 1-based line; keeps those already set.
    void locate(const std::string& path, int line);

    const char* what() const noexcept override { return message_.c_str(); }

private:
    void compose();

    Kind kind_;
    std::string detail_;
    std::string path_;
    int line_ = 0;
    std::string message_;
};

// Throws the overflow of a Long total named `what` that reached `sum`.
[[noreturn]] void ThrowLongOverflow(std::int64_t sum, const char* what);

// Adds two Longs; leaving the 32-bit range is an overflow named after `what`.
inline std::int32_t AddLong(std::int32_t total, std::int32_t value, const char* what) {
    std::int64_t sum = std::int64_t{total} + value;
    if (sum > kLongMax || sum < -std::int64_t{kLongMax} - 1) ThrowLongOverflow(sum, what);
    return static_cast<std::int32_t>(sum);
}

}  // namespace tovrik
