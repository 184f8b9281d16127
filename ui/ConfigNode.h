// The configuration tree's node: what the tree shows of a configuration, its display name, and
// the key that names its sections.
#pragma once

#include <string>

namespace vt {

struct TConfigNode {
    std::string Text;  // the display name
    std::string ConfigKey;
};

}  // namespace vt
