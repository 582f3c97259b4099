// Writes a statistics tree as the game lays it out, one match a file, in the
// game's own format, from a seed: the classic game's DIR/YYYY.MM.DD/HHMMSS.txt,
// or with --today today's game's DIR/YYYY-MM/YYYY-MM-DD-HHMMSS-MAP.txt, with
// its renamed and new weapons and players whose names hold weapon names. With
// --hostile, about one file in thirty is damaged as files on disk sometimes
// are: emptied, cut, given CR line ends, a row that is not numbers, an
// accuracy off the chart, a map name of odd bytes, a folder without a date.
//
// With --distinct-maps, every match is played on a map of its own.
//
//   make_stats_tree [--today] [--hostile] [--distinct-maps] DIR COUNT [SEED]
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

struct Weapon {
    const char* name;
    bool headshots;   // the row has a headshots column
    double accuracy;  // typical, in percent
    int shots;        // typical per match when used
};

// Weapons by what a player of each side carries.
const Weapon kKnife{"Knife", true, 0, 0}, kLuger{"Luger", true, 24, 30}, kColt{"Colt", true, 24, 30},
    kMp40{"MP-40", true, 27, 220}, kThompson{"Thompson", true, 28, 210}, kFg42{"FG-42", true, 30, 120},
    kPanzer{"Panzer", false, 14, 10}, kGrenade{"Grenade", false, 12, 6}, kK43{"K43 Rifle", true, 38, 25},
    kLauncher{"G.Launchr", false, 20, 6}, kSten{"Sten", true, 25, 160}, kGarand{"Garand", true, 38, 25},
    kMortar{"Mortar", false, 10, 12}, kMg42{"MG-42 Gun", true, 18, 300}, kAirstrike{"Airstrike", false, 0, 0},
    kArtillery{"Artillery", false, 0, 0}, kFlamer{"F.Thrower", false, 45, 90}, kSyringe{"Syringe", false, 90, 8};

// Today's game: three weapons renamed, the scoped rifles and more on rows of
// their own.
const Weapon kMp40Today{"MP 40", true, 27, 220}, kFg42Today{"FG 42", true, 30, 120},
    kMg42Today{"MG 42 Gun", true, 18, 300}, kKaBar{"Ka-Bar", true, 0, 0}, kBazooka{"Bazooka", false, 14, 10},
    kGranatwerf{"Granatwerf", false, 10, 12}, kDynamite{"Dynamite", false, 0, 0}, kSatchel{"Satchel", false, 0, 0},
    kLandmine{"Landmine", false, 0, 0}, kBrowning{"Browning", false, 18, 300}, kScpGarand{"Scp.Garand", true, 45, 12},
    kScpK43{"Scp.K43", true, 45, 12}, kMp34{"MP 34", true, 26, 180};

const char* kMaps[] = {"goldrush", "oasis",     "battery",   "radar",        "railgun", "fueldump",
                       "supply",   "frostbite", "adlernest", "braundorf_b4", "base2",   "et_ice"};
const char* kNames[] = {"Rookie", "Hawk", "Sarge", "Kessel", "Nomad", "Vortex", "Blitz", "Ghost"};
// Players of today's trees: names that hold weapon names.
const char* kTodayNames[] = {"LugerKid", "Sten", "ThompsonFan", "MP40-Max", "KnifeEdge", "Garand4Ever"};

void Mkdir(const std::string& path) { mkdir(path.c_str(), 0755); }

// Today's game: the weapons in the order it writes their rows, and those
// whose rows have a headshots column.
const char* kTodayOrder[] = {"Knife",    "Ka-Bar",    "Luger",     "Colt",      "MP 40",      "Thompson", "Sten",
                             "FG 42",    "Panzer",    "Bazooka",   "F.Thrower", "Grenade",    "Mortar",   "Granatwerf",
                             "Dynamite", "Airstrike", "Artillery", "Satchel",   "G.Launchr",  "Landmine", "MG 42 Gun",
                             "Browning", "Garand",    "K43 Rifle", "Scp.Garand", "Scp.K43",   "MP 34",    "Syringe"};
const std::string kTodayHeadshots[] = {"Luger", "Colt",      "MP 40",      "Thompson", "Sten", "FG 42",
                                       "Garand", "K43 Rifle", "Scp.Garand", "Scp.K43",  "MP 34"};

int TodayPlace(const Weapon& w) {
    int place = 0;
    while (std::string(kTodayOrder[place]) != w.name) ++place;
    return place;
}

// A weapon row: the name padded to 9 characters (10 in today's game), ": ",
// the accuracy and hits/shots when the player fired or hit, kills, deaths and
// the headshots where the weapon has them. Today's Syringe row ends after its
// hits/shots.
std::string Row(const Weapon& w, bool today, int hits, int shots, int kills, int deaths, int headshots) {
    char buffer[128];
    std::string name = w.name;
    const std::size_t width = today ? 10 : 9;
    if (name.size() < width) name.resize(width, ' ');  // longer names push the ":" right
    std::string fired;
    if (shots > 0 || hits > 0) {
        std::snprintf(buffer, sizeof buffer, "%5.1f %4d/%-4d ", shots > 0 ? hits * 100.0 / shots : 0.0, hits, shots);
        fired = buffer;
    } else {
        fired.assign(16, ' ');
    }
    if (today && name == "Syringe   ") return name + ": " + fired + "\n";
    std::snprintf(buffer, sizeof buffer, "%5d %6d", kills, deaths);
    std::string row = name + ": " + fired + buffer;
    bool hasHeadshots = today ? std::count(std::begin(kTodayHeadshots), std::end(kTodayHeadshots), w.name) > 0
                              : w.headshots;
    if (hasHeadshots) {
        std::snprintf(buffer, sizeof buffer, " %9d", headshots);
        row += buffer;
    }
    return row + "\n";
}

// The weapons a player of one side carries in one match.
std::vector<Weapon> Carried(std::mt19937& rng, bool axis, bool today) {
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const Weapon& smg = axis ? (today ? kMp40Today : kMp40) : kThompson;
    std::vector<Weapon> carried{today && !axis ? kKaBar : kKnife, axis ? kLuger : kColt, kGrenade};
    switch (uniform(0, 4)) {
        case 0:
            carried.insert(carried.end(),
                           {smg, today ? (axis ? kPanzer : kBazooka) : (uniform(0, 1) ? kPanzer : kMg42)});
            if (today) carried.push_back(axis ? kMg42Today : kBrowning);
            break;
        case 1:
            carried.insert(carried.end(), {smg, kSyringe});
            break;
        case 2:
            carried.insert(carried.end(), {axis ? kK43 : kGarand, kLauncher});
            if (today) carried.push_back(axis ? kScpK43 : kScpGarand);
            break;
        case 3:
            carried.insert(carried.end(), {smg, kAirstrike, kArtillery});
            if (today) carried.insert(carried.end(), {kDynamite, kLandmine});
            break;
        default:
            carried.insert(carried.end(), {kSten, today ? kFg42Today : kFg42});
            if (today) carried.insert(carried.end(), {kSatchel, kMp34});
            break;
    }
    if (uniform(0, 9) == 0) carried.push_back(kFlamer);
    if (uniform(0, 12) == 0) carried.push_back(today && axis ? kGranatwerf : kMortar);
    return carried;
}

// What a match's rows add up to, for the lines after the table.
struct Totals {
    int kills = 0, deaths = 0, hits = 0, shots = 0, headshots = 0;
};

// The lines of today's game after the table, up to the scores, as it writes them.
std::string TodayTail(std::mt19937& rng, const Totals& totals, int given, int received, int xp) {
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const char* kRanks[] = {"Private",   "Private 1st Class", "Corporal", "Sergeant",
                                   "Lieutenant", "Captain",          "Major",    "Colonel"};
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer,
                  "\nDamage Given: %6d     Team Damage Given: %6d\nDamage Recvd: %6d     Team Damage Recvd: %6d\n\n"
                  "Kills: %4d   Team Kills: %3d   Accuracy: %7.1f%%\n"
                  "Deaths: %3d   Self Kills: %3d   Headshots: %6.1f%%\n"
                  "Gibs: %5d   Team Gibs: %4d   Playtime: %7.1f%%\n\n"
                  "Rank: %s (%d XP)\n\nSkills         Level/Points\n---------------------------\n"
                  "Battle Sense   1 (%d/50)\nLight Weapons  1 (%d/70)\n\n",
                  given, uniform(0, 2) ? 0 : uniform(1, 200), received, uniform(0, 2) ? 0 : uniform(1, 120),
                  totals.kills, uniform(0, 6) ? 0 : 1, totals.shots > 0 ? totals.hits * 100.0 / totals.shots : 0.0,
                  totals.deaths, uniform(0, 3) ? 0 : uniform(1, 2),
                  totals.hits > 0 ? totals.headshots * 100.0 / totals.hits : 0.0, uniform(0, totals.kills), 0,
                  uniform(0, 4) ? 100.0 : uniform(400, 999) / 10.0, kRanks[std::min(xp / 50, 7)], xp, uniform(0, 49),
                  uniform(0, 69));
    return buffer;
}

// The line that ends every dump of today's game.
std::string StatsRecorded(int seconds, int year, int month, int day) {
    static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "\nStats recorded: %02d:%02d:%02d (%02d %s %04d)\n", seconds / 3600 % 24,
                  seconds / 60 % 60, seconds % 60, day, kMonths[month - 1], year);
    return buffer;
}

// The team lines of the scores table.
std::string Scores(std::mt19937& rng, const char* player, bool axis, const Totals& totals, int given, int received,
                   int xp) {
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    char buffer[512];
    const char* other = kNames[uniform(0, 7)];
    std::snprintf(buffer, sizeof buffer, "%-6s %-12s %2d %3d %3d %2d %3d %3d %5d %5d %3d %5d\n",
                  axis ? "Axis" : "Allies", player, totals.kills, totals.deaths, 0, 0, uniform(10, 90),
                  uniform(0, 5), given, received, 0, xp);
    std::string text = buffer;
    std::snprintf(buffer, sizeof buffer, "%-6s %-12s %2d %3d %3d %2d %3d %3d %5d %5d %3d %5d\n",
                  axis ? "Allies" : "Axis", other, uniform(0, 15), uniform(0, 15), uniform(0, 2), 0, uniform(10, 90),
                  uniform(0, 5), uniform(300, 3000), uniform(300, 3000), uniform(0, 9), uniform(20, 300));
    return text + buffer;
}

// A match of the given day and time (seconds since midnight).
std::string Match(std::mt19937& rng, const char* map, bool axis, bool today, int year, int month, int day,
                  int seconds) {
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::normal_distribution<double> spread(1.0, 0.25);

    std::vector<Weapon> carried = Carried(rng, axis, today);
    if (today)
        std::stable_sort(carried.begin(), carried.end(),
                         [](const Weapon& a, const Weapon& b) { return TodayPlace(a) < TodayPlace(b); });

    std::string rows;
    Totals totals;
    for (const Weapon& w : carried) {
        int shots = w.shots > 0 ? std::max(0, static_cast<int>(w.shots * spread(rng) * uniform(20, 150) / 100)) : 0;
        double accuracy = std::max(0.0, w.accuracy * spread(rng));
        int hits = std::min(shots, static_cast<int>(shots * accuracy / 100 + 0.5));
        int kills = w.shots == 0 ? uniform(0, 4) : std::min(hits, uniform(0, 2 + hits / 12));
        int deaths = uniform(0, 3);
        int headshots = w.headshots ? std::min(hits, uniform(0, 1 + hits / 5)) : 0;
        bool syringe = std::string(w.name) == "Syringe";
        if (today && syringe && shots == 0) continue;  // written only when the player used it
        if (today && syringe) kills = deaths = 0;
        totals.kills += kills, totals.deaths += deaths, totals.hits += hits, totals.shots += shots;
        totals.headshots += headshots;
        rows += Row(w, today, hits, shots, kills, deaths, headshots);
    }

    int given = uniform(400, 4000), received = uniform(400, 4000), xp = uniform(20, 400);
    const char* player = today ? kTodayNames[uniform(0, 5)] : "Smoky";
    if (today)
        return std::string(">>> Map: ") + map + "\n\n\nOverall stats for: " + player + " (1 Round)\n\n" +
               "Weapon      Acrcy Hits/Shts Kills Deaths Headshots\n" + std::string(50, '-') + "\n" + rows +
               TodayTail(rng, totals, given, received, xp) + Scores(rng, player, axis, totals, given, received, xp) +
               StatsRecorded(seconds, year, month, day);
    char buffer[512];
    std::string text = std::string(">>> Map: ") + map + "\n\nOverall stats for: " + player + " (1 Round)\n\n" +
                       "Weapon     Acrcy Hits/Atts Kills Deaths Headshots\n" +
                       "-------------------------------------------------\n" + rows;
    std::snprintf(buffer, sizeof buffer,
                  "\nDamage Given: %d    Team Damage: %d\nDamage Recvd: %d\n\nRank: Gefreiter (%d XP)\n"
                  "Skills         Level/Points\n---------------------------\n"
                  "Battle Sense   1 (%d/50)\nLight Weapons  1 (%d/70)\n\n",
                  given, uniform(0, 2) ? 0 : uniform(1, 200), received, xp, uniform(0, 49), uniform(0, 69));
    return text + buffer + Scores(rng, player, axis, totals, given, received, xp);
}

// One of the damages files meet, picked by the generator.
std::string Damaged(std::mt19937& rng, std::string text) {
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::size_t row = text.find(":  ");
    switch (uniform(0, 9)) {
        case 0:
            return "";
        case 1:
            return "\r\n\r\n";
        case 2:
            return text.substr(0, static_cast<std::size_t>(uniform(0, static_cast<int>(text.size()))));
        case 3:
            for (char& c : text)
                if (c == '\n') c = '\r';
            return text;
        case 4:  // a number that is not one
            if (row != std::string::npos) text[row + 5] = 'x';
            return text;
        case 5:  // an accuracy off the chart
            if (row != std::string::npos) text.replace(row + 3, 4, "9999");
            return text;
        case 6:
            return ">>> Map: \x1b[2J\xE9t\xE9 =1+1" + text.substr(text.find('\n'));
        case 7:
            return ">>> Map: map" + std::to_string(uniform(0, 99999)) + text.substr(text.find('\n'));
        case 8:  // a row of the weapon twice
            return text + text.substr(row == std::string::npos ? 0 : text.rfind('\n', row) + 1, 60) + "\n";
        default:
            return text + std::string(static_cast<std::size_t>(uniform(0, 40000)), 'y') + "\n";
    }
}

}  // namespace

// `text` as a whole number from 0 to `most`, or -1.
long Count(const char* text, long most) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    return *text >= '0' && *text <= '9' && *end == '\0' && errno == 0 && value <= most ? value : -1;
}

int main(int argc, char* argv[]) {
    // The options in any order, before the arguments.
    bool today = false, hostile = false, distinct = false;
    for (; argc > 1 && argv[1][0] == '-'; --argc, ++argv) {
        const std::string option = argv[1];
        bool& flag = option == "--today" ? today : option == "--hostile" ? hostile : distinct;
        if ((option != "--today" && option != "--hostile" && option != "--distinct-maps") || flag) {
            std::fprintf(stderr, "make_stats_tree: %s is no option, or given twice\n", argv[1]);
            return 2;
        }
        flag = true;
    }
    const long count = argc > 2 ? Count(argv[2], 100000000) : -1;
    const long seed = argc > 3 ? Count(argv[3], 4294967295L) : 2026;
    if (argc < 3 || argc > 4 || count < 0 || seed < 0) {
        std::fprintf(stderr,
                     "usage: make_stats_tree [--today] [--hostile] [--distinct-maps] DIR COUNT [SEED]\n"
                     "  COUNT: 0 to 100,000,000 match files; SEED: 0 to 4,294,967,295\n");
        return 2;
    }
    std::string dir = argv[1];
    std::mt19937 rng(static_cast<unsigned>(seed));
    Mkdir(dir);

    // Days from September of a year far enough back for the count, a few
    // matches an evening, each some minutes after the last.
    int year = 2026 - static_cast<int>(count / 1500), month = 9, day = 1;
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    long written = 0;
    while (written < count) {
        char folder[64];
        if (today)
            std::snprintf(folder, sizeof folder, "/%04d-%02d", year, month);
        else
            std::snprintf(folder, sizeof folder, "/%04d.%02d.%02d", year, month, day);
        std::string dayDir = dir + folder;
        int matches = std::uniform_int_distribution<int>(1, 12)(rng);
        if (matches > 2) {  // not every day is played
            Mkdir(dayDir);
            int seconds = std::uniform_int_distribution<int>(17 * 3600, 20 * 3600)(rng);
            for (int m = 0; m < matches && written < count; ++m, ++written) {
                seconds += std::uniform_int_distribution<int>(600, 1500)(rng);
                std::string own = "map" + std::to_string(written);
                const char* map = distinct ? own.c_str() : kMaps[std::uniform_int_distribution<int>(0, 11)(rng)];
                char name[128];
                if (today)
                    std::snprintf(name, sizeof name, "/%04d-%02d-%02d-%02d%02d%02d-%s.txt", year, month, day,
                                  seconds / 3600 % 24, seconds / 60 % 60, seconds % 60, map);
                else
                    std::snprintf(name, sizeof name, "/%02d%02d%02d.txt", seconds / 3600 % 24, seconds / 60 % 60,
                                  seconds % 60);
                std::string text = Match(rng, map, std::uniform_int_distribution<int>(0, 1)(rng) == 1, today, year, month, day,
                                         seconds);
                std::string into = dayDir;
                if (hostile && std::uniform_int_distribution<int>(0, 29)(rng) == 0) {
                    text = Damaged(rng, text);
                    if (std::uniform_int_distribution<int>(0, 3)(rng) == 0) Mkdir(into = dir + "/notes");
                }
                FILE* out = std::fopen((into + name).c_str(), "wb");
                if (out == nullptr) return 1;
                std::fwrite(text.data(), 1, text.size(), out);
                std::fclose(out);
            }
            if (std::uniform_int_distribution<int>(0, 20)(rng) == 0) {  // a screenshot beside the matches
                FILE* out = std::fopen((dayDir + "/shot0001.jpg").c_str(), "wb");
                if (out != nullptr) std::fclose(out);
            }
        }
        if (++day > lengths[month - 1] + (month == 2 && year % 4 == 0)) {
            day = 1;
            if (++month > 12) month = 1, ++year;
        }
    }
    return 0;
}
