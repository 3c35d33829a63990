#include "console/standard_streams.h"
#include "site/site_cli.h"

#include <exception>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
    standard_streams::Guard();
#ifdef _WIN32
    const bool outputIsTerminal = _isatty(_fileno(stdout)) != 0;
#else
    const bool outputIsTerminal = isatty(STDOUT_FILENO) == 1;
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return SiteCli(std::cout, std::cerr, ProgramBesideSite(), outputIsTerminal).Run(args);
    } catch (const std::exception& error) {
        std::cerr << "velkor-site: " << error.what() << "\n";
        return 1;
    }
}
