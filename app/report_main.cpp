// tovrik-report: the statistics of the window, in the terminal.
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>
#include <new>

#include "app/report_options.h"
#include "app/report_views.h"
#include "base/run_error.h"

namespace {

// Says why the report could not be written: status 1.
int CannotWrite(int error) {
    std::cout.exceptions(std::ios::goodbit);  // the flush at exit fails again, quietly
    std::cerr << "tovrik-report: cannot write the report: " << std::strerror(error != 0 ? error : EIO) << '\n';
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace tovrik;
    // No QCoreApplication: the report needs no event loop, and starts sooner without.
    std::setlocale(LC_NUMERIC, "C");  // numbers are formatted by our own code
    // A write that fails stops the report at once, while errno still tells why.
    std::cout.exceptions(std::ios::badbit);
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
        status = 1;
        try {
            std::cout.flush();
        } catch (const std::ios_base::failure&) {
            return CannotWrite(errno);
        }
        std::cerr << "tovrik-report: " << error.what() << '\n';
    } catch (const std::ios_base::failure&) {
        return CannotWrite(errno);
    } catch (const std::bad_alloc&) {
        std::cerr << "tovrik-report: there is not memory enough for the report.\n";
        return 1;
    }
    // Output that could not be written (a full disk, a closed pipe) is a failure.
    errno = 0;
    try {
        std::cout.flush();
    } catch (const std::ios_base::failure&) {
        return CannotWrite(errno);
    }
    return status;
}
