// tovrik-stats: the window.
#include <QApplication>
#include <clocale>

#include "base/version.h"
#include "ui/qt/form1_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // numbers are formatted by our own code
    QApplication::setApplicationName("tovrik-stats");
    QApplication::setApplicationVersion(tovrik::kVersion);

    tovrik::Form1Window window;
    if (!window.load()) return 0;  // another instance, or no directory chosen
    window.show();
    return QApplication::exec();
}
