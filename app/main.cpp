// tovrik-stats: the window.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/quote.h"
#include "base/version.h"
#include "ui/qt/form1_window.h"

namespace {

constexpr const char* kUsage =
    "Usage: tovrik-stats [--help | --version]\n"
    "Sums up Enemy Territory weapon statistics in a window. The first start asks\n"
    "for the statistics folder and remembers it in ~/.config/tovrik-stats/path.dat\n"
    "(beside a copy marked portable, as the build's programs are); remove that file to\n"
    "choose another folder. See tovrik-stats(1) and tovrik-report(1).\n";

// Writes `text` on stdout: status 0, or 1 when it could not be written whole.
int Answer(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) != 0 || std::ferror(stdout) ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before any window, so that they work without a display.
    if (argc > 1) {
        if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Answer(kUsage);
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
            return Answer(std::string("tovrik-stats ") + tovrik::kVersion + "\n");
        std::fprintf(stderr, "tovrik-stats: %s is not an option; try 'tovrik-stats --help'.\n",
                     tovrik::Quoted(argv[1]).c_str());
        return 2;
    }
    // Qt's own notes (a runtime folder not set, a font not found) are no
    // concern of a player's: only what stops the program reaches the terminal.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // numbers are formatted by our own code
    QApplication::setApplicationName("tovrik-stats");
    QGuiApplication::setDesktopFileName("org.tovrik_stats.TovrikStats");  // the desktop's entry and icon for it

    tovrik::Form1Window window;
    if (!window.load()) return 0;  // another instance, or no directory chosen
    window.show();
    return QApplication::exec();
}
