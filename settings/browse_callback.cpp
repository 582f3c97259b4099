#include "settings/browse_callback.h"

#include "base/run_error.h"

namespace tovrik {

namespace {

// Runs one step of the callback; what fails is skipped, never passed on.
template <typename Step>
void Try(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

std::int32_t BrowseCallbackProc(BrowseDialog& dialog, const BrowseRequest& request, std::int32_t message,
                                const std::string* itemPath) {
    if (message == kBrowseInitialized) {
        Try([&] { dialog.SetSelection(request.initialPath); });
        Try([&] { SetDialogIcon(dialog, request.iconName); });
        Try([&] {
            if ((request.flags & kBrowseNewDialogStyle) == 0) dialog.MoveStatusItem(11, 36, 290, 42);
        });
    } else if (message == kBrowseSelChanged) {
        Try([&] {
            if (itemPath != nullptr) dialog.SetStatusText(TrimAtNull(*itemPath));
        });
    }
    return 0;
}

void SetDialogIcon(BrowseDialog& dialog, const std::string& iconName) {
    if (iconName.empty()) return;
    if (dialog.LoadIcon(iconName)) dialog.SetSmallIcon();
}

std::string TrimAtNull(const std::string& text) {
    std::size_t zero = text.find('\0');
    if (zero == std::string::npos) return text;
    if (zero + 1 > static_cast<std::size_t>(kIntegerMax))
        throw RunError(RunError::Kind::Overflow, "the text's first NUL lies beyond position 32,767.");
    return text.substr(0, zero);
}

}  // namespace tovrik
