#pragma once

#include <string>

namespace tovrik {

// The chart box's outer size, in twips.
constexpr float kChartWidth = 6975;
constexpr float kChartHeight = 2560;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The value labels a run writes to.
enum class Label {
    Label5,
    Label6,
    Label9,
    Label10,
    Label12,
    Label15,
    Label16,
    Label17,
    Label18,
    Label20,
    Label22,
    Label23,
    Label24,
    Label26
};

// "Label5", "Label6", ...
const char* LabelName(Label label);

// Every operation the window's procedures perform on its controls, and no
// other. The Qt window implements it; RecordingControls records it.
class Form1Controls {
public:
    virtual ~Form1Controls() = default;

    virtual void List1_Clear() = 0;
    virtual void List2_AddItem(const std::string& text) = 0;  // appended
    virtual std::string List2_Text() = 0;                     // "" when none is selected
    virtual void List3_AddItem(const std::string& text) = 0;  // placed in case-insensitive order
    virtual std::string List3_Text() = 0;
    virtual void List3_SetEnabled(bool enabled) = 0;

    virtual void Picture1_Cls() = 0;
    virtual float Picture1_Width() = 0;  // outer size, in twips
    virtual float Picture1_Height() = 0;
    virtual void Picture1_SetDrawWidth(int width) = 0;
    virtual void Picture1_Line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
    virtual void Picture1_PSet(float x, float y, Rgb colour) = 0;

    virtual void SetCaption(Label label, const std::string& text) = 0;

    virtual bool AnotherInstanceRunning() = 0;
    // Ends the program at once: no close handler runs. Where it returns (a
    // recording), the caller stops what it was doing.
    virtual void EndProgram() = 0;
};

}  // namespace tovrik
