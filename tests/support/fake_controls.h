#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/testing.h"
#include "ui/controls.h"
#include "ui/form1.h"

namespace tovrik::testing {

// The window's controls without a screen: keeps what the lists, labels and selections hold, and records each
// chart operation as a line ("Picture1.Line 0 1280 6975 1280 0 0 130").
class FakeControls : public Form1Controls, public ChartSurface {
public:
    std::string list2Selection, list3Selection;
    bool anotherInstance = false, ended = false, list3Enabled = false;
    std::vector<std::string> list2, list3, chart, messages;
    std::map<Label, std::string> captions;

    // The caption last set, or "" when none was.
    std::string caption(Label label) const { return captions.count(label) ? captions.at(label) : std::string(); }
    // Expects each label to show its caption.
    void expectCaptions(std::initializer_list<std::pair<Label, const char*>> shown) const {
        for (auto [label, text] : shown) EXPECT_EQ(caption(label), text) << LabelName(label);
    }

    void List1_Clear() override {}
    void List2_AddItem(const std::string& text) override { list2.push_back(text); }
    std::string List2_Text() override { return list2Selection; }
    void List3_AddItem(const std::string& text) override { InsertSorted(list3, {text}); }
    std::string List3_Text() override { return list3Selection; }
    void List3_Clear() override { list3.clear(); }
    void List3_SetEnabled(bool enabled) override { list3Enabled = enabled; }
    ChartSurface& Picture1() override { return *this; }
    void SetCaption(Label label, const std::string& text) override { captions[label] = text; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AnotherInstanceRunning() override { return anotherInstance; }
    void EndProgram() override { ended = true; }

    float width() const override { return ChartBox{}.width; }
    float height() const override { return ChartBox{}.height; }
    void clear() override { chart.push_back("Picture1.Cls"); }
    void setDrawWidth(int pixels) override { chart.push_back("Picture1.DrawWidth " + std::to_string(pixels)); }
    void line(float x1, float y1, float x2, float y2, Rgb c) override {
        chart.push_back("Picture1.Line " + Numbers({x1, y1, x2, y2}) + Colour(c));
    }
    void point(float x, float y, Rgb c) override { chart.push_back("Picture1.PSet " + Numbers({x, y}) + Colour(c)); }

private:
    static std::string Numbers(std::initializer_list<float> values) {
        std::ostringstream text;
        for (float value : values) text << value << ' ';
        return text.str();
    }
    static std::string Colour(Rgb c) {
        return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
    }
};

// A window without a screen, its statistics folder a fresh temporary one, the Thompson chosen.
class RunTest : public ::testing::Test {
protected:
    RunTest() {
        form.StatsDir = dir.path();
        controls.list2Selection = "Thompson";
    }
    // Runs and expects it to complete; returns the number of counted rows.
    int RunCompletes() {
        EXPECT_NO_THROW(form.ComputeStats());
        return std::stoi(controls.caption(Label::Label26));
    }

    TempDir dir;
    FakeControls controls;
    Form1 form{controls};
};

}  // namespace tovrik::testing
