#include <algorithm>

#include "ui/figure_text.h"
#include "ui/form1.h"

namespace tovrik {

void Form1::ShowFigures(const Figures& figures) {
    std::vector<const Figure*> byStep;
    for (const Figure& figure : FigureTable())
        if (figure.label) byStep.push_back(&figure);
    std::sort(byStep.begin(), byStep.end(), [](const Figure* a, const Figure* b) { return a->fillStep < b->fillStep; });
    for (const Figure* figure : byStep)
        controls_.SetCaption(*figure->label, WindowText(*figure, figures, DecimalSeparator));
}

void Form1::ShowStopped() {
    for (const Figure& figure : FigureTable())
        if (figure.label) controls_.SetCaption(*figure.label, "-");
}

}  // namespace tovrik
