#pragma once

#include <string>
#include <vector>

#include "ui/overview.h"
#include "ui/recording_controls.h"

namespace tovrik {

// The summary of one run: each value label's text beside its caption.
std::string SummaryText(const RecordingControls& controls);

// One row a weapon: games, shots, hits and hit %, headshots and headshot %,
// kills, deaths, k/d, mean, lowest and highest accuracy. Numbers use `sep`.
std::string OverviewTable(const std::vector<WeaponFigures>& rows, char sep);

// The same as comma-separated values, with "." decimals, for spreadsheets.
std::string OverviewCsv(const std::vector<WeaponFigures>& rows);

}  // namespace tovrik
