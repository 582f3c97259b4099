#pragma once

#include <cstdint>
#include <string>

namespace tovrik {

// Special folders a browser can be rooted at.
constexpr std::int32_t kFolderPersonal = 5;  // the user's documents: the home folder
constexpr std::int32_t kFolderDrives = 17;   // the computer's file systems: "/"

// Messages and flags of the folder browser.
constexpr std::int32_t kBrowseInitialized = 1;        // the dialog has opened
constexpr std::int32_t kBrowseSelChanged = 2;         // another folder is selected
constexpr std::int32_t kBrowseStatusText = 4;         // the dialog shows a status text
constexpr std::int32_t kBrowseNewDialogStyle = 0x40;  // the status text keeps its own place

// What the callback does to an open folder browser.
class BrowseDialog {
public:
    virtual ~BrowseDialog() = default;
    virtual void SetSelection(const std::string& path) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Moves the status text item; false when the dialog has none.
    virtual bool MoveStatusItem(int left, int top, int width, int height) = 0;
    // Loads the named icon of the program's resources, small size; false when
    // there is none of that name.
    virtual bool LoadIcon(const std::string& name) = 0;
    // Puts the icon last loaded on the dialog.
    virtual void SetSmallIcon() = 0;
};

// What the caller asked of an open folder browser, for its callback.
struct BrowseRequest {
    std::string initialPath;
    std::string iconName;
    std::int32_t flags = 0;  // the caller's flags, before the status text flag is added
};

// Called by the dialog: on kBrowseInitialized it selects the request's
// initial path, sets its icon and (without kBrowseNewDialogStyle) moves the
// status text to 11, 36, 290 x 42; on kBrowseSelChanged it shows `itemPath`,
// and keeps the status text when the item has no path (nullptr). A failing
// step is skipped and the next one runs. Always 0.
std::int32_t BrowseCallbackProc(BrowseDialog& dialog, const BrowseRequest& request, std::int32_t message,
                                const std::string* itemPath);

// Puts the named icon on the dialog; nothing for an empty or unknown name.
void SetDialogIcon(BrowseDialog& dialog, const std::string& iconName);

// The text up to, not including, its first character 0. Throws RunError
// (Overflow) when that character lies beyond position 32,767.
std::string TrimAtNull(const std::string& text);

}  // namespace tovrik
