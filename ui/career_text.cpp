#include <algorithm>

#include "base/quote.h"
#include "ui/table_text.h"

// The career's figures as the terminal, CSV and JSON show them.
namespace tovrik {
namespace {

// A career figure's cell for the terminal, a text of a file's escaped.
std::string CareerCell(const CareerFigure& figure, const CareerFigures& figures, char sep) {
    const std::string text = CellText(figure, figures, sep);
    return figure.kind == FigureKind::Text && text != "-" ? EscapedCell(text) : text;
}

}  // namespace

std::vector<std::string> CareerHeaders(const std::string& first) {
    std::vector<std::string> headers{first};
    for (const CareerFigure& figure : CareerTable()) headers.emplace_back(figure.header);
    return headers;
}

std::string CareerSummaryText(const std::string& mapChoice, const CareerFigures& figures, char sep) {
    std::string out = Pad("Map:", 23) + Escaped(MapText(mapChoice)) + "\n";
    for (const CareerFigure& figure : CareerTable())
        out += Pad(figure.caption, 23) + CareerCell(figure, figures, sep) + "\n";
    return out;
}

std::string ToldNote(const CareerFigures& figures) {
    std::string out;
    for (const CareerFigure& figure : CareerTable()) {
        if (figure.told == nullptr || figure.told(figures) >= figures.games) continue;
        out += std::string(figure.caption) + " told by " + std::to_string(figure.told(figures)) + " of " +
               std::to_string(figures.games) + " matches.\n";
    }
    return out;
}

std::string CareerTableText(const std::string& firstHeader, const std::vector<CareerRow>& rows, char sep) {
    std::vector<std::vector<std::string>> table{CareerHeaders(firstHeader)};
    for (const CareerRow& row : rows) {
        std::vector<std::string>& cells = table.emplace_back(std::vector<std::string>{EscapedCell(row.label)});
        for (const CareerFigure& figure : CareerTable()) cells.push_back(CareerCell(figure, row.figures, sep));
    }
    return Aligned(table, 1);  // the rank
}

std::string CareerCsv(const std::string& firstHeader, const std::vector<CareerRow>& rows) {
    std::vector<std::vector<std::string>> lines{CareerHeaders(firstHeader)};
    for (const CareerFigure& figure : CareerTable())
        if (figure.told != nullptr) lines[0].push_back(std::string(figure.header) + " matches");
    for (const CareerRow& row : rows) {
        std::vector<std::string>& cells = lines.emplace_back(std::vector<std::string>{CsvText(row.label)});
        for (const CareerFigure& figure : CareerTable()) {
            const std::string data = DataText(figure, row.figures, "");
            cells.push_back(figure.kind == FigureKind::Text ? CsvText(data) : data);
        }
        for (const CareerFigure& figure : CareerTable())
            if (figure.told != nullptr) cells.push_back(std::to_string(figure.told(row.figures)));
    }
    return CsvLines(lines);
}

std::string CareerJson(const CareerFigures& figures) {
    std::string out;
    for (const CareerFigure& figure : CareerTable()) {
        const std::string data = DataText(figure, figures, "null");
        out += (out.empty() ? "\"" : ", \"") + std::string(figure.key) +
               "\": " + (figure.kind == FigureKind::Text && data != "null" ? JsonString(data) : data);
    }
    for (const CareerFigure& figure : CareerTable())
        if (figure.told != nullptr)
            out += ", \"" + std::string(figure.key) + "_matches\": " + std::to_string(figure.told(figures));
    return out;
}

std::string CareerJsonRows(const std::string& labelKey, const std::vector<CareerRow>& rows) {
    return RowsJson(labelKey, rows, CareerJson);
}

}  // namespace tovrik
