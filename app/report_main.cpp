// tovrik-report: the statistics run of the window, in the terminal.
#include <sys/stat.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <clocale>
#include <iostream>

#include "app/report_text.h"
#include "base/quote.h"
#include "base/run_error.h"
#include "base/version.h"
#include "ui/number_text.h"
#include "ui/overview.h"
#include "ui/recording_controls.h"

namespace {

using namespace tovrik;

int UsageError(const QCommandLineParser& parser, const std::string& message) {
    std::cerr << "tovrik-report: " << message << "\n\n" << parser.helpText().toStdString();
    return 2;
}

// The weapon list's own name for `name`, matched without regard to case; ""
// when the list has no such weapon.
std::string WeaponNamed(const std::string& name) {
    for (const std::string& weapon : Form1::Weapons())
        if (QString::fromStdString(weapon).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
            return weapon;
    return "";
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName("tovrik-report");
    QCoreApplication::setApplicationVersion(kVersion);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Sums up one player's Enemy Territory weapon statistics from the match files below STATS_DIR.\n"
        "With a WEAPON: the summary the window shows for it. Without: one row per weapon.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption comma("comma", "Write numbers with a decimal comma.");
    QCommandLineOption point("point", "Write numbers with a decimal point.");
    QCommandLineOption trace("trace", "Print every operation the run performs on the window, one a line.");
    QCommandLineOption map("map", "Count only the matches played on MAP.", "MAP");
    QCommandLineOption csv("csv", "Print the overview as comma-separated values.");
    parser.addOptions({comma, point, trace, map, csv});
    parser.addPositionalArgument("STATS_DIR", "The statistics directory.");
    parser.addPositionalArgument("WEAPON", "A weapon of the weapon list, such as Thompson.", "[WEAPON]");

    // Each byte of an argument is one character, so that a folder or a map
    // whose name is not valid text keeps its bytes (toLatin1 gives them back).
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);
    if (!parser.parse(arguments)) return UsageError(parser, parser.errorText().toStdString());
    if (parser.isSet("help")) parser.showHelp(0);
    if (parser.isSet("version")) parser.showVersion();

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) return UsageError(parser, "the statistics directory is missing.");
    if (args.size() > 2) return UsageError(parser, "too many arguments: one STATS_DIR and one WEAPON at most.");
    if (parser.isSet(comma) && parser.isSet(point))
        return UsageError(parser, "--comma and --point exclude each other.");
    if (parser.isSet(trace) && args.size() < 2) return UsageError(parser, "--trace needs a WEAPON.");
    if (parser.isSet(csv) && args.size() == 2)
        return UsageError(parser, "--csv is for the overview, without a WEAPON.");

    std::string statsDir = args[0].toLatin1().toStdString();
    while (statsDir.size() > 1 && statsDir.back() == '/') statsDir.pop_back();
    struct stat info {};
    if (stat(statsDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return UsageError(parser, "\"" + Escaped(statsDir) + "\" is not a directory.");

    std::string weapon;
    if (args.size() == 2) {
        weapon = WeaponNamed(args[1].toLatin1().toStdString());
        if (weapon.empty()) {
            std::string list;
            for (const std::string& w : Form1::Weapons()) list += (list.empty() ? "" : ", ") + w;
            return UsageError(parser,
                              Quoted(args[1].toLatin1().toStdString()) + " is not a weapon of the list: " + list + ".");
        }
    }
    char sep = parser.isSet(comma) ? ',' : parser.isSet(point) ? '.' : UserDecimalSeparator();
    std::string mapChoice = parser.value(map).toLatin1().toStdString();

    try {
        if (weapon.empty()) {
            std::vector<WeaponFigures> rows = WeaponOverview(statsDir, mapChoice);
            std::cout << (parser.isSet(csv) ? OverviewCsv(rows) : OverviewTable(rows, sep));
            return 0;
        }
        // A window state as after start-up: the lists filled, no map listed yet.
        RecordingControls controls;
        Form1 form(controls, sep);
        form.StatsDir = statsDir;
        form.FillLists();
        controls.clearTrace();
        controls.list2Selection = weapon;
        controls.list3Selection = mapChoice;
        if (parser.isSet(trace)) controls.setEcho(&std::cout);
        form.ComputeStats();
        if (!parser.isSet(trace)) std::cout << SummaryText(controls);
    } catch (const RunError& error) {
        std::cout.flush();
        std::cerr << "tovrik-report: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
