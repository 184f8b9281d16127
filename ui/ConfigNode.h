// The configuration tree's node: a configuration's display name and key, with the editor's state
// for it.
#pragma once

#include <string>

#include "core/ConfigRecords.h"

namespace vt {

struct TConfigNode {
    std::string Text;  // the display name
    std::string ConfigKey;
    bool Modified = false;
    TAddrType IPList;
    TAddrType MaskList;
};

}  // namespace vt
