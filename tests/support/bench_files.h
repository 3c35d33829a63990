#pragma once

#include "bench/device/detector_record.h"

#include <boost/filesystem/path.hpp>

#include <string>

namespace e2e {

// What the bench keeps of one detector, read and written behind the bench
// tool's back: the way tests give a detector odd bytes or damage it.
velkor::bench::DetectorRecord LoadRecord(const boost::filesystem::path& bench,
                                         const std::string& id);
void SaveRecord(const boost::filesystem::path& bench, const std::string& id,
                const velkor::bench::DetectorRecord& record);
// Replaces the detector's stored file with `text`.
void OverwriteRecord(const boost::filesystem::path& bench, const std::string& id,
                     const std::string& text);

} // namespace e2e
