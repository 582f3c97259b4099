#pragma once

#include <ostream>
#include <string>

#include "base/quote.h"
#include "ui/controls.h"

namespace tovrik {

// The window's controls without a screen, for --trace: every operation a run
// performs on them is written out as it happens, one a line ("Picture1.Cls",
// "Label24.Caption=0%", ...), in the window's control names.
class TraceControls : public Form1Controls, public ChartSurface {
public:
    TraceControls(std::ostream& out, std::string weapon, std::string mapChoice)
        : out_(out), weapon_(std::move(weapon)), mapChoice_(std::move(mapChoice)) {}

    void List1_Clear() override { out_ << "List1.Clear\n"; }
    void List2_AddItem(const std::string& text) override { out_ << "List2.AddItem=" << Escaped(text) << '\n'; }
    std::string List2_Text() override { return weapon_; }
    void List3_AddItem(const std::string& text) override { out_ << "List3.AddItem=" << Escaped(text) << '\n'; }
    void List3_Clear() override { out_ << "List3.Clear\n"; }
    std::string List3_Text() override { return mapChoice_; }
    void List3_SetEnabled(bool enabled) override;
    ChartSurface& Picture1() override { return *this; }
    void SetCaption(Label label, const std::string& text) override;
    void ShowMessage(const std::string& text) override { out_ << "MsgBox=" << Escaped(text) << '\n'; }
    bool AnotherInstanceRunning() override { return false; }
    void EndProgram() override { out_ << "End\n"; }

    float width() const override { return box_.width; }
    float height() const override { return box_.height; }
    void clear() override { out_ << "Picture1.Cls\n"; }
    void setDrawWidth(int pixels) override { out_ << "Picture1.DrawWidth " << pixels << '\n'; }
    void line(float x1, float y1, float x2, float y2, Rgb colour) override;
    void point(float x, float y, Rgb colour) override;

private:
    std::ostream& out_;
    std::string weapon_, mapChoice_;
    ChartBox box_;
};

// The shortest decimal text that reads back as `value`, with "." and no
// exponent: "1280", "3487.5", "-48".
std::string TraceNumber(float value);

}  // namespace tovrik
