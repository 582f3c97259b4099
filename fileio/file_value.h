#pragma once

#include <string>
#include <variant>
#include <vector>

namespace tovrik {

// A value of one of the kinds the file procedures tell apart by name: one text
// ("String"), a list of lines ("String()"), or any other kind, which carries
// only its name ("Long", "Double", ...).
class FileValue {
public:
    struct OtherKind {
        std::string name;
        bool operator==(const OtherKind& other) const { return name == other.name; }
    };
    using Lines = std::vector<std::string>;

    FileValue() : value_(std::string()) {}
    static FileValue Text(std::string text) { return FileValue(std::move(text)); }
    static FileValue LineList(Lines lines = {}) { return FileValue(std::move(lines)); }
    static FileValue Other(std::string kindName) { return FileValue(OtherKind{std::move(kindName)}); }

    // The kind's name as the file procedures see it: "String", "String()" or
    // the other kind's own name.
    std::string KindName() const;

    bool isText() const { return std::holds_alternative<std::string>(value_); }
    bool isLines() const { return std::holds_alternative<Lines>(value_); }

    // Access to a held kind; calling the wrong one is a programming error.
    std::string& text() { return std::get<std::string>(value_); }
    const std::string& text() const { return std::get<std::string>(value_); }
    Lines& lines() { return std::get<Lines>(value_); }
    const Lines& lines() const { return std::get<Lines>(value_); }

    bool operator==(const FileValue& other) const;

private:
    template <typename T>
    explicit FileValue(T value) : value_(std::move(value)) {}

    std::variant<std::string, Lines, OtherKind> value_;
};

// The kind name lower-cased, as the file procedures compare it.
std::string LowerKindName(const FileValue& value);

}  // namespace tovrik
