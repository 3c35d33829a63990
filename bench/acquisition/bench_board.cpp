#include "bench/acquisition/bench_board.h"

namespace velkor {
namespace bench {

BenchBoard::BenchBoard(std::string name, BenchConfigParser::Rules rules)
    : name_(std::move(name)), parser_("board " + name_, std::move(rules)) {}

void BenchBoard::open() {
    opened_ = true;
}

void BenchBoard::close() {
    opened_ = false;
}

} // namespace bench
} // namespace velkor
