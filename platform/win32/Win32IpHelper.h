// IP Helper's adapter records and interface rows.
#pragma once

#include "platform/IpHelper.h"

namespace vt::win32 {

class Win32IpHelper : public IpHelper {
  public:
    uint32_t GetAdaptersInfo(uint32_t bufferSize, uint32_t& requiredSize,
                             std::vector<AdapterRecord>& adapters) override;
    uint32_t GetIfEntry(uint32_t index, uint32_t& type, uint32_t& operStatus) override;
};

}  // namespace vt::win32
