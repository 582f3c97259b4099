#include "fileio/file_value.h"

#include "base/ascii.h"

namespace tovrik {

std::string FileValue::KindName() const {
    switch (value_.index()) {
        case 0:
            return "String";
        case 1:
            return "String()";
        default:
            return std::get<OtherKind>(value_).name;
    }
}

bool FileValue::operator==(const FileValue& other) const { return value_ == other.value_; }

std::string LowerKindName(const FileValue& value) {
    std::string name = value.KindName();
    for (char& c : name) c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace tovrik
