#pragma once

#include <string>
#include <string_view>

namespace tovrik {

// Every option of the report, its value's name and its help: the one list
// that --help prints and that the manual page and the completion follow.
struct OptionRow {
    const char* name;
    const char* value;  // nullptr: the option takes none
    const char* help;
};

// The report's option named `name`; nullptr for none.
const OptionRow* FindOption(std::string_view name);

// What --help prints.
std::string HelpText();

}  // namespace tovrik
