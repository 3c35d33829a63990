#include "site/plan_file_mode.h"

#ifdef _WIN32

std::string PasswordFileProblem(const std::string&) {
    return {};
}

#else

#include <sys/stat.h>

namespace {

// The path as one shell word that chmod takes for a file.
std::string ShellWord(const std::string& path) {
    const std::string text = path[0] == '-' ? "./" + path : path;
    if (text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                               "0123456789._/+-=@%,:") == std::string::npos) {
        return text;
    }
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::string PasswordFileProblem(const std::string& path) {
    struct stat status;
    if (path.empty() || ::stat(path.c_str(), &status) != 0 ||
        (status.st_mode & (S_IRGRP | S_IROTH)) == 0) {
        return {};
    }
    return "holds Wi-Fi passwords and others may read it: chmod 600 " + ShellWord(path);
}

#endif
