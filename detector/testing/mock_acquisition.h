#pragma once

#include "platform/acquisition/acquisition_manager.h"
#include "platform/acquisition/config_parser.h"
#include "platform/acquisition/detector.h"

#include <gmock/gmock.h>

namespace detector_testing {

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

class MockConfigParser : public mirl::acquisition::ConfigParser {
public:
    MOCK_METHOD(void, applyOptions, (const mirl::acquisition::OptionGroups&, bool), (override));
};

class MockBoard : public mirl::acquisition::Board {
public:
    MOCK_METHOD(void, open, (), (override));
    MOCK_METHOD(void, close, (), (override));
};

class MockDetector : public mirl::acquisition::Detector {
public:
    MOCK_METHOD(boost::shared_ptr<mirl::acquisition::WifiIface>, getWifi, (), (override));
    MOCK_METHOD(void, open, (bool), (override));
    MOCK_METHOD(void, close, (), (override));
    MOCK_METHOD(void, setMessageCallback, (const mirl::acquisition::MessageCallback&), (override));
};

} // namespace detector_testing
