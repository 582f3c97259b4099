#pragma once

#include "tests/support/testing.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace tovrik::testing {

// A window without a screen whose statistics folder is a fresh temporary
// folder, with the Thompson chosen.
class RunTest : public ::testing::Test {
protected:
    RunTest() {
        form.StatsDir = dir.path();
        controls.list2Selection = "Thompson";
    }
    // Runs and expects it to complete; returns the number of counted rows.
    int RunCompletes() {
        EXPECT_NO_THROW(form.ComputeStats());
        EXPECT_TRUE(form.MapsListed);
        return form.GamesPlayed;
    }

    // The totals: headshots, shots, hits, kills, deaths and games played.
    std::string Totals() const {
        std::string text;
        for (std::int32_t n : {form.TotHeadshots, form.TotShots, form.TotHits, form.TotKills, form.TotDeaths})
            text += std::to_string(n) + " ";
        return text + std::to_string(form.GamesPlayed);
    }

    TempDir dir;
    RecordingControls controls;
    Form1 form{controls};
};

}  // namespace tovrik::testing
