// tovrik-report: the statistics of the window, in the terminal.
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>
#include <new>

#include "app/report_options.h"
#include "app/report_views.h"
#include "base/run_error.h"

namespace tovrik {
namespace {

// Says why the report could not be written: status 1.
int CannotWrite(int error) {
    std::cout.exceptions(std::ios::goodbit);  // the flush at exit fails again, quietly
    std::cerr << "tovrik-report: cannot write the report: " << std::strerror(error != 0 ? error : EIO) << '\n';
    return 1;
}

// Prints what the command line asks for and returns the status; a wrong
// command line and a stopped run are said on standard error. A write that
// fails throws.
int Report(int argc, char* argv[]) {
    try {
        ReportOptions options = ParseReportOptions(argc, argv, Today());
        if (!options.answer) return RunReport(options, std::cout, std::cerr);
        std::cout << *options.answer;
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "tovrik-report: " << error.message << "\nTry 'tovrik-report --help'.\n";
        return 2;
    } catch (const RunError& error) {
        std::cout.flush();  // what was printed before the stop comes first
        std::cerr << "tovrik-report: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace
}  // namespace tovrik

int main(int argc, char* argv[]) {
    // No QCoreApplication: the report needs no event loop, and starts sooner without.
    std::setlocale(LC_NUMERIC, "C");  // numbers are formatted by our own code
    // A write that fails stops the report at once, while errno still tells why.
    std::cout.exceptions(std::ios::badbit);
    try {
        const int status = tovrik::Report(argc, argv);
        // Output that could not be written (a full disk, a closed pipe) is a failure.
        errno = 0;
        std::cout.flush();
        return status;
    } catch (const std::ios_base::failure&) {
        return tovrik::CannotWrite(errno);
    } catch (const std::bad_alloc&) {
        std::cerr << "tovrik-report: there is not memory enough for the report.\n";
        return 1;
    }
}
