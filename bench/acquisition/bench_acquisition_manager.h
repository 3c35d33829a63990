#pragma once

#include "bench/acquisition/bench_board.h"
#include "bench/library/bench_config_parser.h"
#include "platform/acquisition/acquisition_manager.h"

#include <map>
#include <memory>
#include <string>

namespace velkor {
namespace bench {

// The acquisition library of the bench: boards and detectors are scanned by
// name, given their options, and reach the detectors of the bench folder.
class BenchAcquisitionManager : public mirl::acquisition::AcquisitionManager {
public:
    void init() override;
    void scanBoards(const std::string& boardName) override;
    mirl::acquisition::ConfigParser& getBoardOptionsParser(const std::string& boardName) override;
    boost::shared_ptr<mirl::acquisition::Board> getBoard(const std::string& boardName) override;
    void scanDetectors(
        const std::string& detectorName,
        const boost::shared_ptr<mirl::acquisition::DetectorParameterIface>& parameter) override;
    mirl::acquisition::ConfigParser&
    getDetectorOptionsParser(const std::string& detectorName) override;
    boost::shared_ptr<mirl::acquisition::Detector>
    getDetector(const std::string& detectorName,
                const boost::shared_ptr<mirl::acquisition::Board>& board) override;
    void clear() override;

private:
    void requireInit() const;
    const boost::shared_ptr<BenchBoard>& scannedBoard(const std::string& boardName) const;
    BenchConfigParser& scannedDetector(const std::string& detectorName) const;

    bool initialised_ = false;
    std::map<std::string, boost::shared_ptr<BenchBoard>> boards_;
    std::map<std::string, std::unique_ptr<BenchConfigParser>> detectors_;
};

} // namespace bench
} // namespace velkor
