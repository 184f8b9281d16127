// IP Helper in memory: adapters a test sets, a buffer size they need, and every call recorded.
#pragma once

#include <map>
#include <vector>

#include "platform/IpHelper.h"

namespace vt::fakes {

class FakeIpHelper : public IpHelper {
  public:
    struct Row {
        uint32_t type = 6;  // IF_TYPE_ETHERNET_CSMACD
        uint32_t operStatus = 5;
        uint32_t result = 0;
    };
    std::vector<AdapterRecord> adapters;
    std::map<uint32_t, Row> rows;          // by interface index; a missing row fails
    uint32_t bytesPerAdapter = 640;        // about sizeof(IP_ADAPTER_INFO)
    uint32_t failWith = 0;                 // a result other than overflow, for every call
    std::vector<uint32_t> bufferSizes;     // the size of each GetAdaptersInfo call
    std::vector<uint32_t> ifEntryIndexes;  // the index of each GetIfEntry call

    uint32_t GetAdaptersInfo(uint32_t bufferSize, uint32_t& requiredSize,
                             std::vector<AdapterRecord>& out) override {
        bufferSizes.push_back(bufferSize);
        if (failWith) return failWith;
        const uint32_t needed = static_cast<uint32_t>(adapters.size()) * bytesPerAdapter;
        if (adapters.empty()) return 232;  // ERROR_NO_DATA
        if (bufferSize < needed) {
            requiredSize = needed;
            return kErrorBufferOverflow;
        }
        out = adapters;
        return kNoError;
    }
    uint32_t GetIfEntry(uint32_t index, uint32_t& type, uint32_t& operStatus) override {
        ifEntryIndexes.push_back(index);
        const auto it = rows.find(index);
        if (it == rows.end()) return 1168;  // ERROR_NOT_FOUND
        if (it->second.result) return it->second.result;
        type = it->second.type;
        operStatus = it->second.operStatus;
        return kNoError;
    }
};

}  // namespace vt::fakes
