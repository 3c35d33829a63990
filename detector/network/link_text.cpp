#include "detector/network/link_text.h"

#include "platform/tools/logger.h"

#include <cstdint>
#include <sstream>

bool link_text::IsCableLink(const std::string& text) {
    const std::string::size_type colon = text.rfind(':');
    if (colon == std::string::npos) {
        return false;
    }
    std::istringstream field(text.substr(colon + 1));
    std::uint16_t value = 0;
    field >> std::hex >> value;
    if (field.fail()) {
        LOG_WARNING("LinkText::IsCableLink - unreadable link text " << text
                                                                    << ", taken as a wifi link");
        return false;
    }
    return value % 2 == 0;
}
