#pragma once

#include "config/generic_xml_file_infos.h"

#include <boost/optional.hpp>

#include <string>

// The detector's user configuration document. Every setting is a child of the
// top-level node "ucf"; keys are paths below it, separated by ".".
class UserConfigFileInfos : public GenericXmlFileInfos {
public:
    void Hook() override;

    // Empty when the key is absent. Throws ptree_bad_path when there is no
    // "ucf" node and bad_lexical_cast when the text is not one hex number;
    // both are logged first.
    boost::optional<unsigned char> GetUcfValue(const std::string& key) const;

    // Creates or replaces the node below "ucf"; never creates "ucf" itself.
    // On failure the tree is left as it was.
    void SetUcfValue(const std::string& key, const std::string& value);

    // On exactly when "wifi_enable" holds the byte 1.
    boost::optional<bool> GetWifiEnable() const;
    void SetWifiEnable(bool on);
};
