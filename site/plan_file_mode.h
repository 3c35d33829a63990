#pragma once

#include <string>

// What is wrong with leaving a plan that holds Wi-Fi passwords where it is:
// on POSIX systems, a plan its group or others may read, with the command
// that mends it ("chmod 600 PLAN"); empty when nothing is. Windows keeps
// rights in ACLs: not checked there.
std::string PasswordFileProblem(const std::string& path);
