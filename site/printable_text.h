#pragma once

#include <string>

// `text` as it may reach a terminal: UTF-8 characters stay, control
// characters and bytes that are not UTF-8 become "\xNN". For texts that come
// from a detector or another program (an SSID, a log line).
std::string PrintableText(const std::string& text);
