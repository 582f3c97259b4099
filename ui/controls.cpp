#include "ui/controls.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/ascii.h"

namespace tovrik {

const char* LabelName(Label label) {
    static constexpr const char* kNames[] = {"Label5",  "Label6",  "Label9",  "Label10", "Label12",
                                             "Label15", "Label16", "Label17", "Label18", "Label20",
                                             "Label22", "Label23", "Label24", "Label26"};
    return kNames[static_cast<int>(label)];
}

void InsertSorted(std::vector<std::string>& items, std::vector<std::string> added) {
    std::vector<std::pair<std::string, std::size_t>> keys;  // in list order, then as they came
    keys.reserve(added.size());                             // a first run may bring tens of thousands of maps
    for (const std::string& entry : added) keys.emplace_back(ListKey(entry), keys.size());
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> sorted(keys.size());
    std::transform(keys.begin(), keys.end(), sorted.begin(),
                   [&](const auto& key) { return std::move(added[key.second]); });
    // A merge takes the list's entry first of two equal ones: the new ones go after.
    std::vector<std::string> merged(items.size() + sorted.size());
    std::merge(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()),
               std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()), merged.begin(),
               [](const std::string& a, const std::string& b) { return ListLess(a, b); });
    items = std::move(merged);
}

}  // namespace tovrik
