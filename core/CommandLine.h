// The command line: splitting it into arguments and choosing the start mode from the first one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Starts the program hidden in the tray; the autorun shortcut passes it.
inline constexpr char kTrayStartArgument[] = "{1193B663-4421-44C4-9523-35DC33C01133}";

enum class StartMode { Window, Tray, Apply };

struct StartRequest {
    StartMode mode = StartMode::Window;
    std::string configName;  // the configuration to apply, in apply mode
};

// The arguments after the program's own name. Arguments are separated by blanks (any character
// up to and including the space); double quotes group blanks into an argument and are removed.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Only the first argument counts; the tray-start argument must match exactly, letter case included.
StartRequest DecideStartMode(const std::vector<std::string>& arguments);

}  // namespace vt
