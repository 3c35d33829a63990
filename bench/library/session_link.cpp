#include "bench/library/session_link.h"

#include "bench/text/bench_error.h"

namespace velkor {
namespace bench {

SessionLink::SessionLink(std::string closedText) : closedText_(std::move(closedText)) {}

void SessionLink::attach(std::unique_ptr<DetectorSession> session) {
    session_ = std::move(session);
}

void SessionLink::detach() {
    session_.reset();
}

DetectorSession& SessionLink::session() {
    if (!session_) {
        throw BenchError(closedText_);
    }
    return *session_;
}

void SessionLink::say(const std::string& message) const {
    if (callback_) {
        callback_(message);
    }
}

} // namespace bench
} // namespace velkor
