#include <gtest/gtest.h>

#include "base/run_error.h"
#include "tests/test_support.h"
#include "ui/chart.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace tovrik {
namespace {

using testing::TempDir;
using Trace = std::vector<std::string>;

std::string Match(const std::string& map, const std::string& row) { return ">>> Map: " + map + "\n\n" + row + "\n"; }

class RunTest : public ::testing::Test {
protected:
    RunTest() {
        form.StatsDir = dir.path();
        form.FillLists();
        controls.clearTrace();
        controls.list2Selection = "Thompson";
    }
    // The captions the end of a run writes, in order.
    Trace EndCaptions() const {
        const Trace& t = controls.trace();
        auto first = std::find_if(t.begin(), t.end(), [](const std::string& s) { return s.rfind("Label22", 0) == 0; });
        return Trace(first, t.end());
    }
    TempDir dir;
    RecordingControls controls;
    Form1 form{controls};
};

TEST_F(RunTest, NoFilesAtAll) {
    form.ComputeStats();
    EXPECT_EQ(EndCaptions(),
              (Trace{"Label22.Caption=100%", "Label23.Caption=0%", "Label24.Caption=0%", "Label10.Caption=0",
                     "Label9.Caption=0", "Label17.Caption=0", "Label18.Caption=0", "Label12.Caption=0",
                     "Label15.Caption=0", "Label16.Caption=0", "Label20.Caption=0", "Label26.Caption=0"}));
    EXPECT_TRUE(form.MapsListed);
    EXPECT_EQ(std::count_if(controls.trace().begin(), controls.trace().end(),
                            [](const std::string& s) { return s.rfind("Picture1.Line", 0) == 0; }),
              3);  // the guide lines only
}

TEST_F(RunTest, CollectsAccuraciesAboveOneInFileOrder) {
    dir.write("a.txt", Match("m", "Thompson: 20.0 2/10 1 0 0"));
    dir.write("b.txt", Match("m", "Thompson: 0.5 1/200 0 1 0"));
    dir.write("c.txt", Match("m", "Thompson: 1.0 1/100 0 1 0"));  // exactly 1: counted, not collected
    dir.write("d/e.txt", Match("m", "Thompson: 30.0 3/10 2 0 1"));
    form.ComputeStats();
    Trace curve;
    for (const std::string& s : controls.trace())
        if (s.find("255 0 0") != std::string::npos || s.find("0 100 0") != std::string::npos ||
            s.rfind("Picture1.PSet", 0) == 0)
            curve.push_back(s);
    EXPECT_EQ(curve, (Trace{"Picture1.Line 0 2048 6975 1792 255 0 0", "Picture1.PSet 0 2048 255 255 255",
                            "Picture1.Line 0 1920 6975 1920 0 100 0"}));
    EXPECT_EQ(form.GamesPlayed, 4);
    EXPECT_DOUBLE_EQ(form.AvgAccuracy, 25.0);
    EXPECT_EQ(controls.caption(Label::Label22), "20%");
    EXPECT_EQ(controls.caption(Label::Label23), "30%");
    EXPECT_EQ(controls.caption(Label::Label20), "1,5");  // 3 kills, 2 deaths
}

TEST_F(RunTest, MapChoiceAndDiscoveryOnTheFirstRunOnly) {
    dir.write("1.txt", Match("radar", "Thompson: 50.0 5/10 1 0 0"));
    dir.write("2.txt", Match("Battery", "Colt: 50.0 5/10 1 0 0"));
    form.ComputeStats();
    EXPECT_EQ(controls.list3(), (Trace{"-- All maps --", "Battery", "radar"}));
    dir.write("3.txt", Match("adlernest", "Thompson: 40.0 4/10 1 0 0"));
    controls.list3Selection = "radar";
    form.ComputeStats();
    EXPECT_EQ(controls.list3().size(), 3u);  // adlernest waits for the next start
    EXPECT_EQ(form.GamesPlayed, 1);
    EXPECT_EQ(controls.caption(Label::Label5), "radar");
    controls.list3Selection = "-- ALL MAPS --";
    form.ComputeStats();
    EXPECT_EQ(controls.caption(Label::Label5), "-- ALL MAPS --");
    EXPECT_EQ(form.GamesPlayed, 0);
}

TEST_F(RunTest, AnErrorStopsTheRunAndLeavesTheLabels) {
    dir.write("a.txt", Match("m", "Thompson: 20.0 2/10 1 0 0"));
    std::string bad = dir.write("b.txt", Match("m", "Thompson: 20.0 2/1x 1 0 0"));
    controls.SetCaption(Label::Label10, "before");
    try {
        form.ComputeStats();
        FAIL() << "no error";
    } catch (const RunError& error) {
        EXPECT_EQ(std::string(error.what()), bad + ", line 3: \"1x\" is not a whole number.");
    }
    EXPECT_EQ(controls.caption(Label::Label10), "before");
    EXPECT_FALSE(form.MapsListed);
    EXPECT_EQ(controls.trace().back(), "List3.AddItem=m");
}

TEST_F(RunTest, ChartErrorNamesTheMatch) {
    dir.write("a.txt", Match("m", "Thompson: 20.0 2/10 1 0 0"));
    std::string bad = dir.write("b.txt", Match("m", "Thompson: 2000.0 2/10 1 0 0"));
    try {
        form.ComputeStats();
        FAIL() << "no error";
    } catch (const RunError& error) {
        EXPECT_EQ(std::string(error.what()),
                  bad + ", line 3: the accuracy 2000 puts the chart's curve at -48640, outside -32,768 to 32,767.");
    }
}

TEST_F(RunTest, EmptyDirectorySettingSearchesNothing) {
    form.StatsDir = "";
    form.ComputeStats();
    EXPECT_EQ(controls.caption(Label::Label26), "0");
}

TEST_F(RunTest, LargeTotalsStillShowAPercentage) {
    form.TotShots = 0;
    std::string rows;
    for (int i = 0; i < 3; ++i) rows += "Thompson: 50.0 30000/30000 1 0 0\n";
    for (int i = 0; i < 800; ++i) dir.write("f" + std::to_string(i) + ".txt", Match("m", rows));
    form.ComputeStats();
    EXPECT_EQ(form.TotHits, 72000000);  // × 100 leaves the 32-bit range
    EXPECT_EQ(controls.caption(Label::Label18), "100%");
}

TEST(Chart, GeometryAndRounding) {
    RecordingControls controls;
    Form1 form(controls);
    form.DrawAccuracySegment(40, 60, 1, 0);
    form.DrawAccuracySegment(10, 10, 2, 0);  // middle point at 3487.5: to even, 3488
    form.DrawAccuracySegment(10, 10, 6, 0);  // second point at 1162.5: to even, 1162
    form.DrawMeanLine(50);
    form.DrawMeanLine(33.3);
    EXPECT_EQ(
        controls.trace(),
        (Trace{"Picture1.DrawWidth 1", "Picture1.Line 0 1536 6975 1024 255 0 0", "Picture1.PSet 0 1536 255 255 255",
               "Picture1.DrawWidth 1", "Picture1.Line 0 2304 3488 2304 255 0 0", "Picture1.PSet 0 2304 255 255 255",
               "Picture1.DrawWidth 1", "Picture1.Line 0 2304 1162 2304 255 0 0", "Picture1.PSet 0 2304 255 255 255",
               "Picture1.Line 0 1280 6975 1280 0 100 0", "Picture1.Line 0 1708 6975 1708 0 100 0"}));
    EXPECT_DOUBLE_EQ(RoundHalfEven(2.5), 2);
    EXPECT_DOUBLE_EQ(RoundHalfEven(-2.5), -2);
    std::int16_t c = 0;
    EXPECT_TRUE(ToCurveCoordinate(32767.4, c));
    EXPECT_EQ(c, 32767);
    EXPECT_FALSE(ToCurveCoordinate(32767.6, c));
    EXPECT_TRUE(ToCurveCoordinate(-32768.5, c));  // to even: -32768
    EXPECT_FALSE(ToCurveCoordinate(-32769, c));
}

TEST(Summary, LabelTexts) {
    struct Case {
        std::int32_t headshots, hits, shots, kills, deaths;
        const char* hsPercent;
        const char* hitPercent;
        const char* ratio;
    };
    const Case cases[] = {
        {1, 2, 3, 7, 0, "33,3%", "66,6%", "7"},
        {0, 5, 10, 7, 2, "0%", "50%", "3,5"},
        {0, 957, 10000, 10, 4, "0%", "9,57%", "2,5"},
        {0, 0, 0, 1, 3, "0", "0", "0,3"},
    };
    for (const Case& c : cases) {
        RecordingControls controls;
        Form1 form(controls);
        form.TotHeadshots = c.headshots;
        form.TotHits = c.hits;
        form.TotShots = c.shots;
        form.TotKills = c.kills;
        form.TotDeaths = c.deaths;
        form.AvgAccuracy = 100.0 / 3;
        RunExtremes extremes;
        extremes.Minimum = 100.0f / 3;
        extremes.Collected = 1;
        form.ShowRunEnd(extremes);
        EXPECT_EQ(controls.caption(Label::Label17), c.hsPercent);
        EXPECT_EQ(controls.caption(Label::Label18), c.hitPercent);
        EXPECT_EQ(controls.caption(Label::Label20), c.ratio);
        EXPECT_EQ(controls.caption(Label::Label24), "33,3%");
        EXPECT_EQ(controls.caption(Label::Label22), "33,33333%");
    }
    RecordingControls controls;
    Form1 form(controls, '.');
    form.AvgAccuracy = 100.0 / 3;
    RunExtremes extremes;
    extremes.Collected = 1;
    form.ShowRunEnd(extremes);
    EXPECT_EQ(controls.caption(Label::Label24), "33.33333%");
}

}  // namespace
}  // namespace tovrik
