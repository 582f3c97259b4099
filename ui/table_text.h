#pragma once

#include <string>
#include <vector>

#include "ui/view_text.h"

// The forms every table of the report and the breakdown is written in: the
// terminal's aligned columns, CSV and JSON, whatever its figures.
namespace tovrik {

// A text from a file for the terminal: control bytes written out, and a table
// cell cut with "…" after kCellWidth characters.
std::string EscapedCell(const std::string& text);

// `text` followed by spaces up to `width` characters.
std::string Pad(const std::string& text, std::size_t width);

// A text cell: quoted where it holds a separator, and never read as a formula
// by a spreadsheet, for map names come from game servers.
std::string CsvText(const std::string& text);

// The cells of a table, two spaces apart: the first column and the last
// `textsLast` to the left, the numbers between them to the right. No line
// ends in spaces.
std::string Aligned(const std::vector<std::vector<std::string>>& table, std::size_t textsLast = 0);

// Lines of cells, each already a CSV cell, separated by commas.
std::string CsvLines(const std::vector<std::vector<std::string>>& lines);

// Rows as a JSON array of objects: the label as `labelKey`, then the members
// `members` makes of the row's figures.
template <class Row, class Members>
std::string RowsJson(const std::string& labelKey, const std::vector<Row>& rows, Members members) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i)
        out += (i ? ",\n  " : "\n  ") + std::string("{\"") + labelKey + "\": " + JsonString(rows[i].label) + ", " +
               members(rows[i].figures) + "}";
    return out + "]";
}

}  // namespace tovrik
