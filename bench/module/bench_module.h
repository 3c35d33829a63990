#pragma once

#include "bench/library/bench_config_parser.h"
#include "bench/library/session_link.h"
#include "platform/module/module.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace velkor {
namespace bench {

// An infrared module opened on the port its options name; while open it
// holds the detector it faces, locked.
class BenchModule : public mirl::module::Module {
public:
    explicit BenchModule(std::string name);
    ~BenchModule() override;

    void setMessageCallback(const mirl::module::MessageCallback& callback) override;
    void open() override;
    void close() override;

    BenchConfigParser& parser() { return parser_; }

private:
    void attach();

    std::string name_;
    BenchConfigParser parser_;
    boost::shared_ptr<SessionLink> link_;
    bool opened_ = false;
};

} // namespace bench
} // namespace velkor
