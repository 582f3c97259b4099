#include "ui/trace_controls.h"

#include <charconv>

namespace tovrik {
namespace {

std::string Colour(Rgb c) { return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b); }

}  // namespace

std::string TraceNumber(float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    return text == "-0" ? "0" : text;
}

void TraceControls::List3_SetEnabled(bool enabled) { out_ << "List3.Enabled " << (enabled ? "True" : "False") << '\n'; }

void TraceControls::SetCaption(Label label, const std::string& text) {
    out_ << LabelName(label) << ".Caption=" << Escaped(text) << '\n';  // a map's name is a server's text
}

void TraceControls::line(float x1, float y1, float x2, float y2, Rgb colour) {
    out_ << "Picture1.Line " << TraceNumber(x1) << ' ' << TraceNumber(y1) << ' ' << TraceNumber(x2) << ' '
         << TraceNumber(y2) << ' ' << Colour(colour) << '\n';
}

void TraceControls::point(float x, float y, Rgb colour) {
    out_ << "Picture1.PSet " << TraceNumber(x) << ' ' << TraceNumber(y) << ' ' << Colour(colour) << '\n';
}

}  // namespace tovrik
