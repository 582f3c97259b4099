#include "ui/form1.h"

#include "engine/weapons.h"
#include "settings/app_paths.h"

namespace tovrik {

const char* LabelName(Label label) {
    static constexpr const char* kNames[] = {"Label5",  "Label6",  "Label9",  "Label10", "Label12",
                                             "Label15", "Label16", "Label17", "Label18", "Label20",
                                             "Label22", "Label23", "Label24", "Label26"};
    return kNames[static_cast<int>(label)];
}

const std::vector<std::string>& Form1::Weapons() { return tovrik::Weapons(); }

Form1::Form1(Form1Controls& controls, char decimalSeparator)
    : DecimalSeparator(decimalSeparator), AppDir(ProgramDir()), ConfigDir(DefaultConfigDir()), controls_(controls) {}

bool Form1::Form_Load() {
    if (controls_.AnotherInstanceRunning()) {
        controls_.EndProgram();
        return false;
    }
    if (!InitStatsDir()) return false;
    FillLists();
    DrawGrid();
    return true;
}

void Form1::FillLists() {
    for (const std::string& weapon : Weapons()) controls_.List2_AddItem(weapon);
    controls_.List3_AddItem(kAllMaps);
}

void Form1::Form_Unload(std::int16_t& cancel) {
    cancel = 0;  // closing is never refused, and nothing is saved
    CloseMain();
}

}  // namespace tovrik
