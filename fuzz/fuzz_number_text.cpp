// The number texts and virgule: every finite value has a text that reads back, and virgule only ever cuts that text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    float single;
    double dbl;
    std::memcpy(&single, data, sizeof single);
    std::memcpy(&dbl, data + 4, sizeof dbl);
    std::string rest(reinterpret_cast<const char*>(data + 12), size - 12);
    for (char sep : {',', '.'}) {
        tovrik::TextToDouble(rest, sep);  // any text: no crash
        if (std::isfinite(single)) {
            std::string text = tovrik::SingleToText(single, sep);
            std::string cut = tovrik::Virgule(single, sep);
            if (text.compare(0, cut.size(), cut) != 0) std::abort();
            double back = tovrik::TextToDouble(text, sep);  // seven digits read back within their rounding
            if (std::fabs(single) > 1e-30f && std::fabs(back / single - 1) > 1e-6) std::abort();
        }
        if (std::isfinite(dbl)) {
            std::string text = tovrik::DoubleToText(dbl, sep);
            double back = tovrik::TextToDouble(text, sep);
            // Fifteen digits read back within their rounding; next to the largest Double the rounded text lies past it.
            if (std::fabs(dbl) > 1e-300 && std::fabs(dbl) < 1e307 && std::fabs(back / dbl - 1) > 1e-13) std::abort();
        }
    }
    return 0;
}
