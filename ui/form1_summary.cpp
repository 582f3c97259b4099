#include "base/number_text.h"
#include "ui/figure_text.h"
#include "ui/form1.h"

namespace tovrik {

std::string Form1::virgule(float valeur) const { return Virgule(valeur, DecimalSeparator); }

void Form1::ShowFigures(const Figures& figures) {
    // The value labels and the figure each shows, in the order they are filled.
    static constexpr std::pair<Label, std::string FigureTexts::*> kShown[] = {
        {Label::Label22, &FigureTexts::lowest},   {Label::Label23, &FigureTexts::highest},
        {Label::Label24, &FigureTexts::mean},     {Label::Label10, &FigureTexts::shots},
        {Label::Label9, &FigureTexts::headshots}, {Label::Label17, &FigureTexts::headshotShare},
        {Label::Label18, &FigureTexts::hitShare}, {Label::Label12, &FigureTexts::hits},
        {Label::Label15, &FigureTexts::kills},    {Label::Label16, &FigureTexts::deaths},
        {Label::Label20, &FigureTexts::ratio},    {Label::Label26, &FigureTexts::games}};
    const FigureTexts texts = Describe(figures, DecimalSeparator);
    for (auto [label, text] : kShown) controls_.SetCaption(label, texts.*text);
}

}  // namespace tovrik
