#include "bench/tool/bench_cli.h"

#include <iostream>

int main(int argc, char** argv) {
    using velkor::bench::BenchCli;
    using velkor::bench::BenchStore;
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return BenchCli(BenchStore(BenchStore::DefaultRoot()), std::cout, std::cerr).run(args);
    } catch (const std::exception& error) {
        std::cerr << "velkor-bench: " << error.what() << "\n";
        return 1;
    }
}
