#pragma once

#include <QString>
#include <string>

namespace tovrik {

// A text of a match file for a widget: each byte is one character.
inline QString Latin1Text(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace tovrik
