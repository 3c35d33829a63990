#include "bench/tool/bench_cli.h"
#include "bench/tool/terminal_echo.h"
#include "console/standard_streams.h"

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

int main(int argc, char** argv) {
    using velkor::bench::BenchCli;
    using velkor::bench::BenchStore;
    standard_streams::Guard();
#ifdef _WIN32
    // `dump` writes a file's bytes: no line end may be rewritten on the way.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return BenchCli(BenchStore(BenchStore::DefaultRoot()), std::cin, std::cout, std::cerr,
                        velkor::bench::StandardInputIsTerminal())
            .run(args);
    } catch (const std::exception& error) {
        std::cerr << "velkor-bench: " << error.what() << "\n";
        return 1;
    }
}
