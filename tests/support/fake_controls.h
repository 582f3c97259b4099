#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/testing.h"
#include "ui/form1.h"
#include "ui/trace_controls.h"

namespace tovrik::testing {

struct TraceStream {
    std::ostringstream out;
};

// The window's controls without a screen: the trace printer's chart, which records each operation as a line
// ("Picture1.Line 0 1280 6975 1280 0 0 130"), and what the lists, labels and selections hold.
class FakeControls : private TraceStream, public TraceControls {
public:
    FakeControls() : TraceControls(out, "", "") {}
    std::string list2Selection, list3Selection;
    bool anotherInstance = false, ended = false;
    std::vector<std::string> list3, messages;
    std::map<Label, std::string> captions;

    // The caption last set, or "" when none was.
    std::string caption(Label label) const { return captions.count(label) ? captions.at(label) : std::string(); }
    // Expects each label to show its caption: expectCaptions(Label::Label5, "radar", Label::Label26, "1").
    void expectCaptions() const {}
    template <typename... More>
    void expectCaptions(Label label, const std::string& text, More... more) const {
        EXPECT_EQ(caption(label), text) << LabelName(label);
        expectCaptions(more...);
    }
    // Expects the figures' labels, from the games to the highest accuracy, to show `texts`.
    void expectFigures(std::initializer_list<const char*> texts) const {
        const Label order[] = {Label::Label26, Label::Label10, Label::Label12, Label::Label18,
                               Label::Label9,  Label::Label17, Label::Label15, Label::Label16,
                               Label::Label20, Label::Label24, Label::Label22, Label::Label23};
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(caption(order[i]), texts.begin()[i]) << LabelName(order[i]);
    }
    // The chart's operations since the last call that begin with one of `prefixes`.
    std::vector<std::string> drawn(std::initializer_list<const char*> prefixes = {}) {
        std::vector<std::string> kept;
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);)
            for (const char* prefix : prefixes)
                if (line.rfind(prefix, 0) == 0) kept.push_back(line);
        out.str("");
        return kept;
    }

    std::string List2_Text() override { return list2Selection; }
    void List3_AddItem(const std::string& text) override { InsertSorted(list3, {text}); }
    std::string List3_Text() override { return list3Selection; }
    void List3_Clear() override { list3.clear(); }
    void SetCaption(Label label, const std::string& text) override { captions[label] = text; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AnotherInstanceRunning() override { return anotherInstance; }
    void EndProgram() override { ended = true; }
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
