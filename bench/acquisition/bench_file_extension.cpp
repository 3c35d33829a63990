#include "bench/acquisition/bench_file_extension.h"

#include "config/generic_xml_file_infos.h"

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
    link_->sayingWhy("file " + std::to_string(number) + " not written: ",
                     [&] { link_->session().writeFile(number, bytes); });
    link_->say("file " + std::to_string(number) + " written: " + std::to_string(bytes.size()) +
               " bytes; the detector takes them into use when it reboots");
}

void BenchFileExtension::loadUserConfig(GenericXmlFileInfos& document) {
    link_->sayingWhy("user configuration not read: ",
                     [&] { document.tree() = link_->session().loadUserConfig(); });
    link_->say("user configuration read");
}

void BenchFileExtension::saveUserConfig(GenericXmlFileInfos& document) {
    link_->sayingWhy("user configuration not stored: ",
                     [&] { link_->session().saveUserConfig(document.tree()); });
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
