#pragma once

#include <string>
#include <vector>

#include "ui/chart_painter.h"

namespace tovrik {

// The value labels a run writes to, by the window's control names. What each
// shows: Label5 the map choice, Label6 the weapon, Label26 the games played,
// Label10 the shots, Label12 the hits and Label18 their share of the shots,
// Label9 the headshots and Label17 their share of the shots, Label15 the
// kills, Label16 the deaths, Label20 the kill/death ratio, Label24 the mean
// accuracy, Label22 the lowest and Label23 the highest.
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

// "Label5", "Label6", ...: the label's control name.
const char* LabelName(Label label);

// Puts each of `added` into a list kept in the map list's order (ListLess),
// after every entry that compares equal or less: the list one insertion at a
// time would make, at the cost of one sort.
void InsertSorted(std::vector<std::string>& items, std::vector<std::string> added);

// Every operation Form1 performs on the window's controls, and no other, by
// the controls' names: List1 (out of sight), the weapon list List2, the map
// list List3, the chart box Picture1 and the value labels.
class Form1Controls {
public:
    virtual ~Form1Controls() = default;

    virtual void List1_Clear() = 0;
    virtual void List2_AddItem(const std::string& text) = 0;  // appended
    virtual std::string List2_Text() = 0;                     // "" when none is selected
    virtual void List3_AddItem(const std::string& text) = 0;  // placed as InsertSorted places it
    virtual void List3_Clear() = 0;
    virtual std::string List3_Text() = 0;
    virtual void List3_SetEnabled(bool enabled) = 0;
    virtual ChartSurface& Picture1() = 0;
    virtual void SetCaption(Label label, const std::string& text) = 0;

    // Tells the user something the window cannot show otherwise, and waits
    // until it is read.
    virtual void ShowMessage(const std::string& text) = 0;

    virtual bool AnotherInstanceRunning() = 0;
    // Ends the program at once: no close handler runs. Where it returns (a
    // test), the caller stops what it was doing.
    virtual void EndProgram() = 0;
};

}  // namespace tovrik
