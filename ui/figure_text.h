#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/career.h"
#include "engine/tally.h"
#include "ui/controls.h"

namespace tovrik {

// `part` per `whole` in percent; `whole` is not 0. The product with 100 is
// 64-bit, so large totals still give a percentage.
float SharePercent(std::int32_t part, std::int32_t whole);

// Kills per death; `deaths` is not 0.
float KillDeathRatio(std::int32_t kills, std::int32_t deaths);

// How a figure is written; each kind has one text rule for each face.
enum class FigureKind {
    Count,    // a whole number
    Share,    // a percentage of the shots
    Ratio,    // kills per death
    Mean,     // an accuracy the window cuts to one decimal
    Extreme,  // an accuracy the window shows uncut
    Text,     // a name, such as a rank
};

// A figure's number as a run gives it.
struct FigureValue {
    std::optional<double> number;  // none: no figure (a share without shots, no accuracy collected)
    bool whole = false;            // a count: the window writes it without decimals
    std::string text = {};         // a text figure's, with a number (any) when there is one
};

// One figure of a run: how every face names it and how it is read. Adding a
// figure is adding a row to FigureTable().
struct Figure {
    const char* key;      // its JSON member
    const char* header;   // its column in tables and CSV
    const char* caption;  // its line in the summary; nullptr: on the line before, after `beside`
    const char* beside;
    std::optional<Label> label;  // the window's label that shows it, where one does
    int fillStep;                // the window fills its labels in this order
    FigureKind kind;
    FigureValue (*read)(const Figures& figures);
};

// Every figure, in the order of the table's columns.
const std::vector<Figure>& FigureTable();

// The figure whose JSON member is `key`; there is one.
const Figure& FigureNamed(const std::string& key);

// As the window's label shows it: shares, the ratio and the mean cut to one
// decimal as Virgule cuts, never rounded; the lowest and highest uncut; "0" for a
// share without shots and "-" for an accuracy without one collected.
std::string WindowText(const Figure& figure, const Figures& figures, char sep);

// As a table's cell shows it, so that columns line up: fractions with
// exactly one decimal, cut ("42.0%", "1.0"); "-" where there is no figure.
std::string CellText(const Figure& figure, const Figures& figures, char sep);

// As CSV and JSON write it: "." decimals, two of them for fractions; `none`
// where there is no figure.
std::string DataText(const Figure& figure, const Figures& figures, const std::string& none);

// One figure of a career (CareerFigures), as Figure is one of a weapon's run.
struct CareerFigure {
    const char* key;      // its JSON member; with "_matches", the matches that told it
    const char* header;   // its column in tables and CSV; with " matches", the told column of CSV
    const char* caption;  // its line in the summary
    FigureKind kind;
    FigureValue (*read)(const CareerFigures& figures);
    // The matches whose lines told it, for a figure some matches may lack; nullptr for one every match has.
    std::int32_t (*told)(const CareerFigures& figures);
};

// Every career figure, in the order of the table's columns.
const std::vector<CareerFigure>& CareerTable();

// The career figure whose JSON member is `key`; there is one.
const CareerFigure& CareerNamed(const std::string& key);

// A career figure as a table's cell, as CSV and JSON write it: the rules of
// CellText and DataText for its kind; a text as it stands.
std::string CellText(const CareerFigure& figure, const CareerFigures& figures, char sep);
std::string DataText(const CareerFigure& figure, const CareerFigures& figures, const std::string& none);

// The map label's text for a map choice: "All maps" for every map.
std::string MapText(const std::string& mapChoice);

}  // namespace tovrik
