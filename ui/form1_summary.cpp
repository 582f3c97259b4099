#include <algorithm>

#include "ui/figure_text.h"
#include "ui/form1.h"

namespace tovrik {

void Form1::ShowFigures(const Figures& figures) {
    // The figures with a label, in the order the window fills them: sorted once.
    static const std::vector<const Figure*> kByStep = [] {
        std::vector<const Figure*> byStep;
        for (const Figure& figure : FigureTable())
            if (figure.label) byStep.push_back(&figure);
        std::sort(byStep.begin(), byStep.end(),
                  [](const Figure* a, const Figure* b) { return a->fillStep < b->fillStep; });
        return byStep;
    }();
    for (const Figure* figure : kByStep)
        controls_.SetCaption(*figure->label, WindowText(*figure, figures, DecimalSeparator));
}

void Form1::ShowStopped() {
    for (const Figure& figure : FigureTable())
        if (figure.label) controls_.SetCaption(*figure.label, "-");
}

}  // namespace tovrik
