#pragma once

#include "platform/acquisition/config_parser.h"
#include "platform/acquisition/detector.h"
#include "platform/acquisition/detector_parameter_iface.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace mirl {
namespace acquisition {

// Finds boards and detectors. Every failure is thrown as a std::exception
// whose text says what went wrong.
class AcquisitionManager {
public:
    // The process-wide instance, provided by the library build in use.
    static AcquisitionManager& manager();

    virtual ~AcquisitionManager() = default;

    virtual void init() = 0;
    virtual void scanBoards(const std::string& boardName) = 0;
    virtual ConfigParser& getBoardOptionsParser(const std::string& boardName) = 0;
    virtual boost::shared_ptr<Board> getBoard(const std::string& boardName) = 0;
    virtual void scanDetectors(const std::string& detectorName,
                               const boost::shared_ptr<DetectorParameterIface>& parameter) = 0;
    virtual ConfigParser& getDetectorOptionsParser(const std::string& detectorName) = 0;
    virtual boost::shared_ptr<Detector> getDetector(const std::string& detectorName,
                                                    const boost::shared_ptr<Board>& board) = 0;
    // Forgets every scanned board and detector.
    virtual void clear() = 0;
};

} // namespace acquisition
} // namespace mirl
