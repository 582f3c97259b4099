#include "ui/recording_controls.h"

#include <algorithm>
#include <charconv>

namespace tovrik {
namespace {

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool CaseLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Fold(x)) < static_cast<unsigned char>(Fold(y));
    });
}

std::string Colour(Rgb c) { return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b); }

}  // namespace

std::size_t SortedRow(const std::vector<std::string>& items, const std::string& text) {
    return static_cast<std::size_t>(std::upper_bound(items.begin(), items.end(), text, CaseLess) - items.begin());
}

std::string TraceNumber(float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    return text == "-0" ? "0" : text;
}

std::string RecordingControls::caption(Label label) const {
    auto it = captions_.find(label);
    return it == captions_.end() ? std::string() : it->second;
}

void RecordingControls::record(std::string line) {
    if (echo_ != nullptr) *echo_ << line << '\n';
    trace_.push_back(std::move(line));
}

void RecordingControls::List1_Clear() { record("List1.Clear"); }

void RecordingControls::List2_AddItem(const std::string& text) {
    list2_.push_back(text);
    record("List2.AddItem=" + text);
}

void RecordingControls::List3_AddItem(const std::string& text) {
    list3_.insert(list3_.begin() + static_cast<std::ptrdiff_t>(SortedRow(list3_, text)), text);
    record("List3.AddItem=" + text);
}

void RecordingControls::List3_SetEnabled(bool enabled) {
    list3Enabled_ = enabled;
    record(std::string("List3.Enabled ") + (enabled ? "True" : "False"));
}

void RecordingControls::Picture1_Cls() { record("Picture1.Cls"); }

void RecordingControls::Picture1_SetDrawWidth(int w) { record("Picture1.DrawWidth " + std::to_string(w)); }

void RecordingControls::Picture1_Line(float x1, float y1, float x2, float y2, Rgb colour) {
    record("Picture1.Line " + TraceNumber(x1) + " " + TraceNumber(y1) + " " + TraceNumber(x2) + " " + TraceNumber(y2) +
           " " + Colour(colour));
}

void RecordingControls::Picture1_PSet(float x, float y, Rgb colour) {
    record("Picture1.PSet " + TraceNumber(x) + " " + TraceNumber(y) + " " + Colour(colour));
}

void RecordingControls::SetCaption(Label label, const std::string& text) {
    captions_[label] = text;
    record(std::string(LabelName(label)) + ".Caption=" + text);
}

void RecordingControls::EndProgram() {
    ended_ = true;
    record("End");
}

}  // namespace tovrik
