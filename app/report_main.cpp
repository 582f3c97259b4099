// tovrik-report: the statistics of the window, in the terminal.
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>

#include "app/report_options.h"
#include "app/report_views.h"
#include "base/run_error.h"

int main(int argc, char* argv[]) {
    using namespace tovrik;
    // No QCoreApplication: the report needs no event loop, and starts sooner without.
    std::setlocale(LC_NUMERIC, "C");  // numbers are formatted by our own code
    int status = 0;
    try {
        ReportOptions options = ParseReportOptions(argc, argv);
        if (options.answer)
            std::cout << *options.answer;
        else
            status = RunReport(options, std::cout, std::cerr);
    } catch (const UsageError& error) {
        std::cerr << "tovrik-report: " << error.message << "\nTry 'tovrik-report --help'.\n";
        return 2;
    } catch (const RunError& error) {
        std::cout.flush();
        std::cerr << "tovrik-report: " << error.what() << '\n';
        status = 1;
    }
    // Output that could not be written (a full disk, a closed pipe) is a failure.
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tovrik-report: cannot write the report: " << std::strerror(errno != 0 ? errno : EIO) << '\n';
        return 1;
    }
    return status;
}
