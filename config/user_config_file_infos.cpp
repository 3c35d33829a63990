#include "config/user_config_file_infos.h"

#include "config/hex2.h"
#include "platform/tools/logger.h"

#include <boost/lexical_cast.hpp>
#include <boost/property_tree/exceptions.hpp>

namespace {

const char* const kRoot = "ucf";
const char* const kWifiEnable = "wifi_enable";

using Byte = config::_hex2<unsigned char>;

boost::property_tree::ptree::path_type BelowRoot(const std::string& key) {
    return boost::property_tree::ptree::path_type(key, '.');
}

} // namespace

void UserConfigFileInfos::Hook() {}

boost::optional<unsigned char> UserConfigFileInfos::GetUcfValue(const std::string& key) const {
    try {
        const boost::property_tree::ptree& root = tree_.get_child(kRoot);
        const boost::optional<const boost::property_tree::ptree&> node =
            root.get_child_optional(BelowRoot(key));
        if (!node) {
            return boost::none;
        }
        return boost::lexical_cast<Byte>(node->data()).value();
    } catch (const boost::property_tree::ptree_bad_path& e) {
        LOG_ERROR("UserConfigFileInfos::GetUcfValue - xml parsing bad path error : " << e.what());
        throw;
    } catch (const boost::property_tree::ptree_bad_data& e) {
        LOG_ERROR("UserConfigFileInfos::GetUcfValue - xml parsing bad data error : " << e.what());
        throw;
    } catch (const boost::bad_lexical_cast& e) {
        LOG_ERROR("UserConfigFileInfos::GetUcfValue - lexical cast error : " << e.what());
        throw;
    }
}

void UserConfigFileInfos::SetUcfValue(const std::string& key, const std::string& value) {
    try {
        boost::property_tree::ptree& root = tree_.get_child(kRoot);
        // Built on a copy so that a failure half-way leaves no new node behind.
        boost::property_tree::ptree updated = root;
        updated.put(BelowRoot(key), value);
        root.swap(updated);
    } catch (const boost::property_tree::ptree_bad_path& e) {
        LOG_ERROR("UserConfigFileInfos::SetUcfValue - xml parsing bad path error : " << e.what());
        throw;
    } catch (const boost::property_tree::ptree_bad_data& e) {
        LOG_ERROR("UserConfigFileInfos::SetUcfValue - xml parsing bad data error : " << e.what());
        throw;
    }
}

boost::optional<bool> UserConfigFileInfos::GetWifiEnable() const {
    const boost::optional<unsigned char> byte = GetUcfValue(kWifiEnable);
    if (!byte) {
        return boost::none;
    }
    return *byte == 1;
}

void UserConfigFileInfos::SetWifiEnable(bool on) {
    SetUcfValue(kWifiEnable, boost::lexical_cast<std::string>(Byte(on ? 1 : 0)));
}
