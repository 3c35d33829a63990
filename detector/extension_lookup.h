#pragma once

#include "platform/acquisition/detector.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

#include <string>

// The detector extensions a family manager needs. Each lookup that finds
// nothing logs "<owner>::Init - impossible to retrieve detector's ... extension"
// at error level and throws a plain std::exception; an entry of the wrong type
// throws boost::bad_any_cast.
namespace extension_lookup {

boost::shared_ptr<mirl::acquisition::FileIface> File(const mirl::acquisition::Detector& detector,
                                                     const std::string& owner);
boost::shared_ptr<mirl::acquisition::ConnectionIface>
Connection(const mirl::acquisition::Detector& detector, const std::string& owner);
boost::shared_ptr<mirl::acquisition::NetworkConfigIface>
NetworkConfiguration(const mirl::acquisition::Detector& detector, const std::string& owner);
// Through Detector::getWifi(), not the extensions map.
boost::shared_ptr<mirl::acquisition::WifiIface> Wifi(mirl::acquisition::Detector& detector,
                                                     const std::string& owner);

} // namespace extension_lookup
