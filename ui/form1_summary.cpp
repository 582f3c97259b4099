#include "ui/form1.h"
#include "ui/number_text.h"
#include "ui/summary.h"

namespace tovrik {

std::string Form1::virgule(float valeur) const { return Virgule(valeur, DecimalSeparator); }

void Form1::ShowRunStart() { controls_.SetCaption(Label::Label24, "0%"); }

void Form1::ShowChoices(const std::string& mapChoice, const std::string& weapon) {
    controls_.SetCaption(Label::Label5, mapChoice.empty() || mapChoice == kAllMaps ? "All maps" : mapChoice);
    controls_.SetCaption(Label::Label6, weapon);
}

void Form1::ShowRunEnd(const RunExtremes& extremes) {
    char sep = DecimalSeparator;
    controls_.SetCaption(Label::Label22, SingleToText(extremes.Minimum, sep) + "%");
    controls_.SetCaption(Label::Label23, SingleToText(extremes.Maximum, sep) + "%");
    controls_.SetCaption(Label::Label24,
                         extremes.Collected > 0 ? virgule(static_cast<float>(AvgAccuracy)) + "%" : "0%");
    controls_.SetCaption(Label::Label10, LongToText(TotShots));
    controls_.SetCaption(Label::Label9, LongToText(TotHeadshots));
    controls_.SetCaption(Label::Label17, TotShots != 0 ? virgule(SharePercent(TotHeadshots, TotShots)) + "%" : "0");
    controls_.SetCaption(Label::Label18, TotShots != 0 ? virgule(SharePercent(TotHits, TotShots)) + "%" : "0");
    controls_.SetCaption(Label::Label12, LongToText(TotHits));
    controls_.SetCaption(Label::Label15, LongToText(TotKills));
    controls_.SetCaption(Label::Label16, LongToText(TotDeaths));
    controls_.SetCaption(Label::Label20,
                         TotDeaths != 0 ? virgule(KillDeathRatio(TotKills, TotDeaths)) : LongToText(TotKills));
    controls_.SetCaption(Label::Label26, LongToText(GamesPlayed));
}

}  // namespace tovrik
