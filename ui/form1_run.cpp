#include <string>
#include <vector>

#include "base/run_error.h"
#include "engine/file_search.h"
#include "fileio/file_read.h"
#include "ui/chart.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

// A collected accuracy and where it was read, for the message of a chart error.
struct Collected {
    float value;
    std::int32_t entry;     // index into the file list
    std::size_t lineIndex;  // of the counted line, among the file's lines
};

}  // namespace

void Form1::ComputeStats() {
    controls_.Picture1_Cls();
    DrawGrid();
    controls_.List1_Clear();
    std::string mapChoice = controls_.List3_Text();
    TotHeadshots = TotShots = TotHits = TotKills = TotDeaths = GamesPlayed = 0;
    ShowRunStart();
    controls_.List3_SetEnabled(true);
    AvgAccuracy = 0;
    RunExtremes run;
    std::vector<Collected> accuracies;
    std::string weapon = controls_.List2_Text();
    ShowChoices(mapChoice, weapon);

    FileList files;
    FindMatchFiles(StatsDir, files);

    for (std::int32_t j = 0; j < files.Count; ++j) {
        const std::string path = files.Paths[j] + files.Items[j].cFileName;
        float a = ScanMatchFile(path, weapon, mapChoice, 0);
        if (a > 1) {
            accuracies.push_back(Collected{a, j, lastCountedIndex_});
            run.Collected = AddLong(run.Collected, 1, "collected accuracies");
        }
    }

    std::int32_t k = run.Collected;
    for (std::int32_t i = 0; i < k; ++i) {
        float v = accuracies[i].value;
        if (v > run.Maximum) run.Maximum = v;
        if (v < run.Minimum) run.Minimum = v;
        AvgAccuracy += v;
        if (i >= 1) {
            try {
                DrawAccuracySegment(accuracies[i - 1].value, v, k - 1, i - 1);
            } catch (RunError& error) {
                // Name the match whose accuracy left the chart's range.
                float height = controls_.Picture1_Height();
                std::int16_t ignored = 0;
                const Collected& bad = ToCurveCoordinate(ChartY(height, accuracies[i - 1].value), ignored)
                                           ? accuracies[i]
                                           : accuracies[i - 1];
                std::string path = files.Paths[bad.entry] + files.Items[bad.entry].cFileName;
                error.locate(path, EditorLineOfFile(path, bad.lineIndex));
                throw;
            }
        }
    }
    if (k >= 1) {
        AvgAccuracy /= k;
        DrawMeanLine(AvgAccuracy);
    }
    ShowRunEnd(run);
    LastRun = run;
    MapsListed = true;
}

}  // namespace tovrik
