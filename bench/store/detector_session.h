#pragma once

#include "bench/store/detector_record.h"
#include "bench/store/exclusive_lock.h"

#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>
#include <boost/property_tree/ptree.hpp>

#include <cstdint>
#include <string>

namespace velkor {
namespace bench {

// One detector of the bench, held under its lock: every change is checked as
// the device would check it, then the whole detector is stored in one rename
// before the call returns. Everything refused throws BenchError and stores
// nothing.
class DetectorSession {
public:
    static const char* const RecordFileName;
    static const char* const LockFile;
    // Larger than anything the bench writes: a bigger file is damage.
    static const std::size_t MaxRecordSize;

    // The detector kept in `folder`; throws BenchError with the reason when
    // it is missing or damaged.
    static DetectorRecord Load(const boost::filesystem::path& folder);

    // Takes over the lock and the loaded record.
    DetectorSession(boost::filesystem::path folder, ExclusiveLock lock, DetectorRecord record);

    const DetectorState& state() const { return record_.state; }
    const boost::filesystem::path& folder() const { return folder_; }

    // Numbered files (68 on a 6080K, 206 on a 7180/7380).
    Bytes readFile(std::int32_t number) const;
    // The detector keeps answering at its address until it is rebooted.
    void writeFile(std::int32_t number, const Bytes& bytes);

    // The user configuration document (6080QL/4050QL, 6080MV).
    boost::property_tree::ptree loadUserConfig() const;
    void saveUserConfig(const boost::property_tree::ptree& document);
    void applyUserConfig(bool overCable);
    // The stored Wi-Fi switch; empty when the document has none.
    boost::optional<bool> wifiSwitch() const;

    // Network configuration (6080QL/4050QL, 7380TW, 6080MV). A refused write
    // returns false with the reason in `refusal`; a failed one throws.
    bool writeAddresses(const std::string& detector, std::uint16_t value, const std::string& host,
                        std::uint16_t commandPort, std::uint16_t imagePort, std::string& refusal);
    // Takes stored addresses into use; true when the answered address changed.
    bool applyNetworkConfig();
    void writeSsidAndPassword(const std::string& ssid, const std::string& password);
    // Over infrared the addresses take effect at once.
    void writeAddressesNow(const std::string& detector, const std::string& host);
    void setHostName(const std::string& name);

    bool passwordSet() const { return static_cast<bool>(record_.password); }
    bool passwordMatches(const std::string& password) const;

    // The stored configuration becomes the one the detector answers with.
    void reboot();
    void setFault(const std::string& fault, bool on);
    void setLink(Link link);

private:
    // Stores `changed` whole; the session takes it only once it is stored.
    void commit(const DetectorRecord& changed);
    void failIfWritesFail(const std::string& what) const;
    void requireFile(std::int32_t number) const;
    void requireUserConfig() const;

    boost::filesystem::path folder_;
    ExclusiveLock lock_;
    DetectorRecord record_;
    bool swept_ = false; // the temporary files of killed writes are removed
};

} // namespace bench
} // namespace velkor
