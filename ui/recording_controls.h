#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace tovrik {

// The row at which a list kept in case-insensitive order takes `text`: after
// every entry that compares equal or less, ASCII letters folded.
std::size_t SortedRow(const std::vector<std::string>& items, const std::string& text);

// The shortest decimal text that reads back as `value`, with "." and no
// exponent: "1280", "3487.5", "-48".
std::string TraceNumber(float value);

// A window without a screen: keeps the controls' state and records every
// operation performed on them, one line each ("Picture1.Cls",
// "Label24.Caption=0%", ...). Reads are not recorded.
class RecordingControls : public Form1Controls {
public:
    // When `echo` is given, each line is also written to it as it happens.
    explicit RecordingControls(std::ostream* echo = nullptr) : echo_(echo) {}

    // What the tests and the report tool set and read.
    std::string list2Selection, list3Selection;
    bool anotherInstance = false;
    float width = kChartWidth, height = kChartHeight;

    void setEcho(std::ostream* echo) { echo_ = echo; }
    const std::vector<std::string>& trace() const { return trace_; }
    void clearTrace() { trace_.clear(); }
    const std::vector<std::string>& list2() const { return list2_; }
    const std::vector<std::string>& list3() const { return list3_; }
    bool list3Enabled() const { return list3Enabled_; }
    bool ended() const { return ended_; }
    // The caption last set, or "" when none was.
    std::string caption(Label label) const;

    void List1_Clear() override;
    void List2_AddItem(const std::string& text) override;
    std::string List2_Text() override { return list2Selection; }
    void List3_AddItem(const std::string& text) override;
    std::string List3_Text() override { return list3Selection; }
    void List3_SetEnabled(bool enabled) override;
    void Picture1_Cls() override;
    float Picture1_Width() override { return width; }
    float Picture1_Height() override { return height; }
    void Picture1_SetDrawWidth(int width) override;
    void Picture1_Line(float x1, float y1, float x2, float y2, Rgb colour) override;
    void Picture1_PSet(float x, float y, Rgb colour) override;
    void SetCaption(Label label, const std::string& text) override;
    bool AnotherInstanceRunning() override { return anotherInstance; }
    void EndProgram() override;

private:
    void record(std::string line);

    std::ostream* echo_;
    std::vector<std::string> trace_;
    std::vector<std::string> list2_, list3_;
    bool list3Enabled_ = false;
    bool ended_ = false;
    std::map<Label, std::string> captions_;
};

}  // namespace tovrik
