#pragma once

#include "bench/library/bench_config_parser.h"
#include "platform/acquisition/detector.h"

#include <string>

namespace velkor {
namespace bench {

// A board through which a family of detectors is reached.
class BenchBoard : public mirl::acquisition::Board {
public:
    BenchBoard(std::string name, BenchConfigParser::Rules rules);

    void open() override;
    void close() override;

    const std::string& name() const { return name_; }
    bool opened() const { return opened_; }
    BenchConfigParser& parser() { return parser_; }

private:
    std::string name_;
    BenchConfigParser parser_;
    bool opened_ = false;
};

} // namespace bench
} // namespace velkor
