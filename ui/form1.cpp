#include "ui/form1.h"

#include "engine/match_file.h"
#include "engine/weapons.h"
#include "settings/app_paths.h"

namespace tovrik {

Form1::Form1(Form1Controls& controls, char decimalSeparator)
    : DecimalSeparator(decimalSeparator), AppDir(ProgramDir()), ConfigDir(DefaultConfigDir()), controls_(controls) {}

bool Form1::Form_Load() {
    if (controls_.AnotherInstanceRunning()) {
        controls_.EndProgram();
        return false;
    }
    if (!InitStatsDir()) return false;
    FillLists();
    PaintGrid(controls_.Picture1());
    return true;
}

void Form1::FillLists() {
    for (const std::string& weapon : Weapons()) controls_.List2_AddItem(weapon);
    controls_.List3_AddItem(kAllMaps);
}

}  // namespace tovrik
