#pragma once

#include <string>

// `text` as it may reach a terminal or a log: terminal commands (ESC, DEL,
// the C1 controls, every control character but the tab) and bytes that are
// not UTF-8 become "\xHH"; the tab, printable ASCII and well-formed UTF-8
// stay as they are. For texts that come from a detector, a stored file or
// another program.
std::string PrintableText(const std::string& text);
