#pragma once

#include <string>
#include <variant>
#include <vector>

namespace tovrik {

// A value the file procedures read and write: one text ("String") or a list
// of lines ("String()").
class FileValue {
public:
    using Lines = std::vector<std::string>;

    FileValue() : value_(std::string()) {}
    static FileValue Text(std::string text) { return FileValue(std::move(text)); }
    static FileValue LineList(Lines lines = {}) { return FileValue(std::move(lines)); }

    bool isText() const { return std::holds_alternative<std::string>(value_); }
    bool isLines() const { return std::holds_alternative<Lines>(value_); }

    // Access to a held kind; calling the wrong one is a programming error.
    std::string& text() { return std::get<std::string>(value_); }
    const std::string& text() const { return std::get<std::string>(value_); }
    Lines& lines() { return std::get<Lines>(value_); }
    const Lines& lines() const { return std::get<Lines>(value_); }

    bool operator==(const FileValue& other) const { return value_ == other.value_; }

private:
    template <typename T>
    explicit FileValue(T value) : value_(std::move(value)) {}

    std::variant<std::string, Lines> value_;
};

}  // namespace tovrik
