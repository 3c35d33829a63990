#pragma once

#include "bench/store/atomic_file.h"
#include "bench/store/catalogue_file.h"
#include "bench/store/detector_folders.h"
#include "bench/store/detector_session.h"
#include "bench/store/new_detector.h"

#include <boost/filesystem/path.hpp>

#include <functional>
#include <string>

namespace velkor {
namespace bench {
namespace testing {

// Changes to the bench at `root` made behind the bench's back, as a hand edit
// or another program would make them.

// The folder that keeps detector `id`.
inline boost::filesystem::path FolderOfDetector(const boost::filesystem::path& root,
                                                const std::string& id) {
    return FolderOf(root, *ReadCatalogue(root).find(id));
}

// Rewrites the stored text of detector `id` as `edit` changes it.
inline void EditRecordText(const boost::filesystem::path& root, const std::string& id,
                           const std::function<void(std::string&)>& edit) {
    const boost::filesystem::path file =
        FolderOfDetector(root, id) / DetectorSession::RecordFileName;
    std::string text = atomic_file::ReadText(file);
    edit(text);
    atomic_file::WriteText(file, text, true);
}

// Rewrites what detector `id` stores as `edit` changes it.
inline void EditRecord(const boost::filesystem::path& root, const std::string& id,
                       const std::function<void(DetectorRecord&)>& edit) {
    EditRecordText(root, id, [&edit](std::string& text) {
        DetectorRecord record = DetectorRecord::FromJson(text);
        edit(record);
        text = record.toJson();
    });
}

// Adds a detector of `model` named `id` (any bytes), and a module plugged on
// `port` facing `faces` when `port` is not empty.
inline void AddByHand(const boost::filesystem::path& root, const std::string& model,
                      const std::string& id, const std::string& address,
                      const std::string& port = std::string(),
                      const std::string& faces = std::string()) {
    BenchCatalogue named = ReadCatalogue(root);
    if (!id.empty()) {
        named.detectors.push_back(
            CreateDetectorFolder(root, NewDetector(*BenchModel::Find(model), id, address,
                                                   boost::none, boost::none, "VK-" + model)));
    }
    if (!port.empty()) {
        named.modules.push_back(ModulePlug{port, faces});
    }
    WriteCatalogue(root, named);
}

} // namespace testing
} // namespace bench
} // namespace velkor
