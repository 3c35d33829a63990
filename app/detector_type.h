#pragma once

#include <string>

// The detector families; the values are fixed, every road branches on them.
enum DetectorType {
    InvalidDetectorType = -1,
    Vk6080K = 0,
    VknQ2 = 1,
    Vk7x80 = 2,
    Vk7380TW = 3,
    Vk6080MV = 4,
};

// Exact, case-sensitive match of the whole command-line text.
DetectorType DetectorTypeFromName(const std::string& name);
