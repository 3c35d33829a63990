#pragma once

#include "platform/acquisition/acquisition_manager.h"

#include <gmock/gmock.h>

#include <string>

namespace acquisition_testing {

// Install one with ScopedAcquisitionManager to have the code under test reach it.
class MockAcquisitionManager : public mirl::acquisition::AcquisitionManager {
public:
    MOCK_METHOD(void, init, (), (override));
    MOCK_METHOD(void, scanBoards, (const std::string&), (override));
    MOCK_METHOD(mirl::acquisition::ConfigParser&, getBoardOptionsParser, (const std::string&),
                (override));
    MOCK_METHOD(boost::shared_ptr<mirl::acquisition::Board>, getBoard, (const std::string&),
                (override));
    MOCK_METHOD(void, scanDetectors,
                (const std::string&,
                 const boost::shared_ptr<mirl::acquisition::DetectorParameterIface>&),
                (override));
    MOCK_METHOD(mirl::acquisition::ConfigParser&, getDetectorOptionsParser, (const std::string&),
                (override));
    MOCK_METHOD(boost::shared_ptr<mirl::acquisition::Detector>, getDetector,
                (const std::string&, const boost::shared_ptr<mirl::acquisition::Board>&),
                (override));
    MOCK_METHOD(void, clear, (), (override));
};

} // namespace acquisition_testing
