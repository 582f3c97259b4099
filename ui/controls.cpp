#include "ui/controls.h"

#include <algorithm>

#include "base/ascii.h"

namespace tovrik {

const char* LabelName(Label label) {
    static constexpr const char* kNames[] = {"Label5",  "Label6",  "Label9",  "Label10", "Label12",
                                             "Label15", "Label16", "Label17", "Label18", "Label20",
                                             "Label22", "Label23", "Label24", "Label26"};
    return kNames[static_cast<int>(label)];
}

std::size_t SortedRow(const std::vector<std::string>& items, const std::string& text) {
    return static_cast<std::size_t>(
        std::upper_bound(items.begin(), items.end(), text,
                         [](const std::string& a, const std::string& b) { return FoldedLess(a, b); }) -
        items.begin());
}

}  // namespace tovrik
