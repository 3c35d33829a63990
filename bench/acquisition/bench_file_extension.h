#pragma once

#include "bench/library/session_link.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

namespace velkor {
namespace bench {

// Extension "file": the numbered network file and the user configuration.
class BenchFileExtension : public mirl::acquisition::FileIface {
public:
    explicit BenchFileExtension(boost::shared_ptr<SessionLink> link);

    void readFile(std::int32_t number, mirl::acquisition::Bytes& bytes) override;
    void writeFile(std::int32_t number, const mirl::acquisition::Bytes& bytes) override;
    void loadUserConfig(GenericXmlFileInfos& document) override;
    void saveUserConfig(GenericXmlFileInfos& document) override;
    void applyUserConfig(bool connectedByCable) override;

private:
    boost::shared_ptr<SessionLink> link_;
};

} // namespace bench
} // namespace velkor
