#include "site/library_messages.h"

#include "platform/tools/logger.h"

namespace {

const char* const SinkName = "velkor-site";

} // namespace

LibraryMessages::LibraryMessages() : messages_(std::make_shared<std::vector<std::string>>()) {
    const auto messages = messages_;
    mirl::tools::logger::manager().addsink(SinkName, [messages](const std::string& text) {
        // "I det : open failed: ...", its level mark first.
        std::string message = text.size() > 2 ? text.substr(2) : std::string();
        if (message.compare(0, 6, "det : ") == 0 || message.compare(0, 6, "mod : ") == 0) {
            while (!message.empty() && message.back() == '\n') {
                message.pop_back();
            }
            messages->push_back(message);
        }
    });
}

LibraryMessages::~LibraryMessages() {
    mirl::tools::logger::manager().removesink(SinkName);
}

std::string LibraryMessages::Last() const {
    return messages_->empty() ? std::string() : messages_->back();
}
