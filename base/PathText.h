// File paths as text: the folder part of a path.
#pragma once

#include <string>
#include <string_view>

namespace vt {

// The folder of a path with its trailing "\" or "/"; empty for a bare file name.
inline std::string FolderOf(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace vt
