#include "bench/module/bench_module.h"

#include "bench/module/bench_serial_ir.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/store/byte_text.h"

#include <boost/make_shared.hpp>

namespace velkor {
namespace bench {

BenchModule::BenchModule(std::string name)
    : name_(std::move(name)),
      parser_("module " + name_,
              BenchConfigParser::Rules{{"module.serial.port", BenchConfigParser::PortName()},
                                       {"protocol.discarded.show", BenchConfigParser::YesOrNo()}}),
      link_(boost::make_shared<SessionLink>("the infrared module " + name_ + " is not open")) {}

BenchModule::~BenchModule() {
    link_->detach();
}

void BenchModule::setMessageCallback(const mirl::module::MessageCallback& callback) {
    link_->setCallback(callback);
}

void BenchModule::open() {
    link_->sayingWhy("open failed: ", [this] { attach(); });
}

void BenchModule::attach() {
    if (opened_) {
        throw BenchError("the infrared module " + name_ + " is already open");
    }
    const auto port = parser_.value("module.serial.port");
    if (!port) {
        throw BenchError("option module.serial.port is not set for module " + name_);
    }
    const BenchStore store(BenchStore::DefaultRoot());
    const auto plug = store.module(*port);
    if (!plug) {
        throw BenchError("no infrared module is plugged on " + byte_text::Printable(*port) +
                         (store.empty() ? " (the bench at " + store.root().string() +
                                              " is empty: velkor-bench init sets one up)"
                                        : std::string()));
    }
    extensions.clear();
    bool window = true;
    if (!plug->detector.empty()) {
        std::unique_ptr<DetectorSession> session = store.open(plug->detector);
        window = !session->state().hasFault("missing:serial_ir");
        link_->attach(std::move(session));
    }
    if (window) {
        extensions["serial_ir"] = boost::shared_ptr<mirl::module::SerialIRIface>(
            boost::make_shared<BenchSerialIR>(link_, *port));
    }
    opened_ = true;
    link_->say("infrared module " + name_ + " opened on " + byte_text::Printable(*port) +
               (plug->detector.empty()
                    ? ", facing no detector"
                    : ", facing detector " + byte_text::Printable(plug->detector)));
}

void BenchModule::close() {
    if (opened_) {
        link_->say("infrared module " + name_ + " closed");
    }
    extensions.clear();
    link_->detach();
    opened_ = false;
}

} // namespace bench
} // namespace velkor
