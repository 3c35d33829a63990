#pragma once

#include "config/user_config_file_infos.h"
#include "fuzz/reference_rules.h"

#include <boost/optional.hpp>
#include <boost/property_tree/ptree.hpp>

#include <string>
#include <vector>

namespace fuzz {

// A user configuration with neighbours around the settings, inside and
// outside "ucf", so that changes that spill over show in a tree comparison.
inline UserConfigFileInfos DocumentWithNeighbours() {
    UserConfigFileInfos document;
    document.tree().put("ucf.language", "fr");
    document.tree().put("ucf.wifi_enable", "01");
    document.tree().put("ucf.network.dhcp", "00");
    document.tree().put("other.wifi_enable", "00");
    return document;
}

// A key names a node strictly below "ucf" when it has no empty segment.
inline bool NamesANodeBelowRoot(const std::string& key) {
    for (const std::string& segment : SplitAt(key, '.')) {
        if (segment.empty()) {
            return false;
        }
    }
    return true;
}

// The node a "."-separated key leads to from `node`, taking the first child of
// each name, as the property tree's own lookup does.
inline boost::optional<const boost::property_tree::ptree&>
WalkTo(const boost::property_tree::ptree& node, const std::string& key) {
    const boost::property_tree::ptree* at = &node;
    for (const std::string& segment : SplitAt(key, '.')) {
        const auto child = at->find(segment);
        if (child == at->not_found()) {
            return boost::none;
        }
        at = &child->second;
    }
    return *at;
}

} // namespace fuzz
