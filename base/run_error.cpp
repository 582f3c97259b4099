#include "base/run_error.h"

#include "base/quote.h"

namespace tovrik {

RunError::RunError(Kind kind, std::string detail)
    : std::runtime_error(detail), kind_(kind), detail_(std::move(detail)) {
    compose();
}

void RunError::locate(const std::string& path, int line) {
    if (path_.empty()) {
        path_ = path;
        line_ = line;
    } else if (line_ == 0) {
        line_ = line;
    }
    compose();
}

void RunError::compose() {
    message_.clear();
    if (!path_.empty()) {
        message_ += Escaped(path_);  // whole, on one line
        if (line_ > 0) message_ += ", line " + std::to_string(line_);
        message_ += ": ";
    }
    message_ += detail_;
}

void ThrowLongOverflow(std::int64_t sum, const char* what) {
    throw RunError(RunError::Kind::Overflow, std::string("the ") + what + " total goes past " +
                                                 (sum > kLongMax ? "2,147,483,647." : "-2,147,483,648."));
}

}  // namespace tovrik
