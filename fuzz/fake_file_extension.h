#pragma once

#include "fuzz/fuzz_support.h"
#include "platform/acquisition/extensions.h"

#include <boost/make_shared.hpp>

#include <cstdint>
#include <exception>
#include <vector>

namespace fuzz {

// The detector's "file" extension holding one numbered file, recording the
// writes. The family managers read and write through it.
class FakeFileExtension : public mirl::acquisition::FileIface {
public:
    FakeFileExtension(std::int32_t number, const mirl::acquisition::Bytes& content)
        : content(content), number_(number) {}

    void readFile(std::int32_t number, mirl::acquisition::Bytes& bytes) override {
        FUZZ_REQUIRE(number == number_, "a manager read a file of another number");
        bytes = content;
    }
    void writeFile(std::int32_t number, const mirl::acquisition::Bytes& bytes) override {
        FUZZ_REQUIRE(number == number_, "a manager wrote a file of another number");
        writes.push_back(bytes);
    }
    void loadUserConfig(GenericXmlFileInfos&) override {
        FUZZ_REQUIRE(false, "a file manager loaded the user configuration");
    }
    void saveUserConfig(GenericXmlFileInfos&) override {
        FUZZ_REQUIRE(false, "a file manager saved the user configuration");
    }
    void applyUserConfig(bool) override {
        FUZZ_REQUIRE(false, "a file manager applied the user configuration");
    }

    // What readFile hands out, and every writeFile, in order.
    mirl::acquisition::Bytes content;
    std::vector<mirl::acquisition::Bytes> writes;

private:
    std::int32_t number_;
};

// Has a fresh `Manager` read `previous`, then `input`; when that second read
// fails, hands the manager and the extension to `check`.
template <typename Manager, typename Check>
void AfterAFailedRead(std::int32_t number, const mirl::acquisition::Bytes& previous,
                      const mirl::acquisition::Bytes& input, Check check) {
    const auto extension = boost::make_shared<FakeFileExtension>(number, previous);
    Manager manager(extension);
    manager.ReadConfig();
    extension->content = input;
    try {
        manager.ReadConfig();
    } catch (const std::exception&) {
        check(manager, *extension);
    }
}

// Has a fresh `Manager` read `input` first; when that read fails, addresses
// set afterwards must leave WriteConfig nothing to write.
template <typename Manager>
void FailedFirstReadWritesNothing(std::int32_t number, const mirl::acquisition::Bytes& input) {
    const auto extension = boost::make_shared<FakeFileExtension>(number, input);
    Manager manager(extension);
    try {
        manager.ReadConfig();
        return;
    } catch (const std::exception&) {
    }
    manager.SetHostIPAddress("10.0.37.133");
    manager.SetDetectorIPAddress("10.0.37.132");
    FUZZ_REQUIRE(!manager.WriteConfig(), "WriteConfig reported a write after a failed first read");
    FUZZ_REQUIRE(extension->writes.empty(), "a failed first read let WriteConfig write");
}

} // namespace fuzz
