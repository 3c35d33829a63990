#pragma once

#include "bench/store/detector_session.h"

#include <boost/function.hpp>

#include <exception>
#include <memory>
#include <string>

namespace velkor {
namespace bench {

// What an opened detector or module shares with its extensions: the locked
// session while it is open, and the message callback of its user.
class SessionLink {
public:
    using Callback = boost::function<void(const std::string&)>;

    // `closedText` is thrown when an extension is used while nothing is open.
    explicit SessionLink(std::string closedText);

    void attach(std::unique_ptr<DetectorSession> session);
    // Releases the session and so its lock.
    void detach();
    bool attached() const { return static_cast<bool>(session_); }
    // Throws BenchError when nothing is attached.
    DetectorSession& session();

    void setCallback(const Callback& callback) { callback_ = callback; }
    // Hands a message to the callback, if there is one. Never pass a password.
    void say(const std::string& message) const;

    // Runs `step` and gives back what it returns. When it throws, says `failure`
    // followed by the reason before letting the exception go on, so that the
    // user's log shows why a call failed, not only that it did.
    template <typename Step> auto sayingWhy(const std::string& failure, Step&& step) const {
        try {
            return step();
        } catch (const std::exception& error) {
            say(failure + error.what());
            throw;
        }
    }

private:
    std::string closedText_;
    std::unique_ptr<DetectorSession> session_;
    Callback callback_;
};

} // namespace bench
} // namespace velkor
