#include "bench/acquisition/bench_file_extension.h"

#include "config/generic_xml_file_infos.h"

#include <exception>

namespace velkor {
namespace bench {

BenchFileExtension::BenchFileExtension(boost::shared_ptr<SessionLink> link)
    : link_(std::move(link)) {}

void BenchFileExtension::readFile(std::int32_t number, mirl::acquisition::Bytes& bytes) {
    bytes = link_->session().readFile(number);
    link_->say("file " + std::to_string(number) + " read: " + std::to_string(bytes.size()) +
               " bytes");
}

void BenchFileExtension::writeFile(std::int32_t number, const mirl::acquisition::Bytes& bytes) {
    try {
        link_->session().writeFile(number, bytes);
    } catch (const std::exception& error) {
        link_->say("file " + std::to_string(number) + " not written: " + error.what());
        throw;
    }
    link_->say("file " + std::to_string(number) + " written: " + std::to_string(bytes.size()) +
               " bytes; the detector takes them into use when it reboots");
}

void BenchFileExtension::loadUserConfig(GenericXmlFileInfos& document) {
    try {
        document.tree() = link_->session().loadUserConfig();
    } catch (const std::exception& error) {
        link_->say(std::string("user configuration not read: ") + error.what());
        throw;
    }
    link_->say("user configuration read");
}

void BenchFileExtension::saveUserConfig(GenericXmlFileInfos& document) {
    try {
        link_->session().saveUserConfig(document.tree());
    } catch (const std::exception& error) {
        link_->say(std::string("user configuration not stored: ") + error.what());
        throw;
    }
    const auto wifi = document.tree().get_optional<std::string>("ucf.wifi_enable");
    link_->say("user configuration stored" + (wifi ? ", wifi_enable " + *wifi : std::string()));
}

void BenchFileExtension::applyUserConfig(bool connectedByCable) {
    DetectorSession& session = link_->session();
    session.applyUserConfig(connectedByCable);
    const auto wifi = session.wifiSwitch();
    link_->say(std::string("user configuration applied over ") +
               (connectedByCable ? "cable" : "Wi-Fi") + ": Wi-Fi " +
               (wifi && *wifi ? "on" : "off"));
}

} // namespace bench
} // namespace velkor
