#pragma once

#include <string>

// The Wi-Fi extension's link text: its last ":"-separated field is a
// hexadecimal number, even on a cable link and odd on a Wi-Fi link.
namespace link_text {

// False (a Wi-Fi link, the more restrictive answer) when the text has no
// ":" or no hexadecimal number fitting 16 bits after the last one.
bool IsCableLink(const std::string& text);

} // namespace link_text
