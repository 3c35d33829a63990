#include "config/user_config_file_infos.h"

#include "config/hex2.h"
#include "platform/tools/logger.h"

#include <boost/lexical_cast.hpp>
#include <boost/property_tree/exceptions.hpp>

namespace {

const char* const Root = "ucf";
const char* const WifiEnableKey = "wifi_enable";

using Byte = config::_hex2<unsigned char>;

// Every name of the path must be a real one: the tree would take "", "a." or
// "a..b" as a nameless node (and assert on it in a debug build).
boost::property_tree::ptree::path_type BelowRoot(const std::string& key) {
    const boost::property_tree::ptree::path_type path(key, '.');
    if (key.empty() || key.front() == '.' || key.back() == '.' ||
        key.find("..") != std::string::npos) {
        BOOST_PROPERTY_TREE_THROW(boost::property_tree::ptree_bad_path("Empty name in path", path));
    }
    return path;
}

// Runs `step` on the tree. The tree's own failures are logged under
// `operation` and thrown again unchanged.
template <typename Step> auto LoggingTreeErrors(const char* operation, Step step) {
    try {
        return step();
    } catch (const boost::property_tree::ptree_bad_path& e) {
        LOG_ERROR(operation << " - xml parsing bad path error : " << e.what());
        throw;
    } catch (const boost::property_tree::ptree_bad_data& e) {
        LOG_ERROR(operation << " - xml parsing bad data error : " << e.what());
        throw;
    }
}

} // namespace

void UserConfigFileInfos::Hook() {}

boost::optional<unsigned char> UserConfigFileInfos::GetUcfValue(const std::string& key) const {
    const char* const operation = "UserConfigFileInfos::GetUcfValue";
    const boost::optional<std::string> text =
        LoggingTreeErrors(operation, [&]() -> boost::optional<std::string> {
            const boost::property_tree::ptree::path_type path = BelowRoot(key);
            const boost::property_tree::ptree& root = tree_.get_child(Root);
            const boost::optional<const boost::property_tree::ptree&> node =
                root.get_child_optional(path);
            if (!node) {
                return boost::none;
            }
            return node->data();
        });
    if (!text) {
        return boost::none;
    }
    try {
        return boost::lexical_cast<Byte>(*text).value();
    } catch (const boost::bad_lexical_cast& e) {
        LOG_ERROR(operation << " - lexical cast error : " << e.what());
        throw;
    }
}

void UserConfigFileInfos::SetUcfValue(const std::string& key, const std::string& value) {
    LoggingTreeErrors("UserConfigFileInfos::SetUcfValue", [&] {
        const boost::property_tree::ptree::path_type path = BelowRoot(key);
        boost::property_tree::ptree& root = tree_.get_child(Root);
        // Built on a copy so that a failure half-way leaves no new node behind.
        boost::property_tree::ptree updated = root;
        updated.put(path, value);
        root.swap(updated);
    });
}

boost::optional<bool> UserConfigFileInfos::GetWifiEnable() const {
    const boost::optional<unsigned char> byte = GetUcfValue(WifiEnableKey);
    if (!byte) {
        return boost::none;
    }
    return *byte == 1;
}

void UserConfigFileInfos::SetWifiEnable(bool on) {
    SetUcfValue(WifiEnableKey, boost::lexical_cast<std::string>(Byte(on ? 1 : 0)));
}
