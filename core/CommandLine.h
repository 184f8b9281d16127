// The command line: splitting it into arguments and choosing the start mode from the first one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Starts the program hidden in the tray; the autorun shortcut passes it.
inline constexpr char kTrayStartArgument[] = "{1193B663-4421-44C4-9523-35DC33C01133}";

// Follows the name when one copy has another, run as administrator, apply for it: the other copy
// then gives its outcome as kReportedExitCodes + its exit code, which no other way of ending
// gives (a copy ended from the Task Manager exits with 1, a crash with its exception code).
inline constexpr char kReportToCallerArgument[] = "{BDEA22FB-531F-4C38-A8A1-BFDDDE2AF233}";
inline constexpr uint32_t kReportedExitCodes = 0x56540000;

enum class StartMode { Window, Tray, Apply };

struct StartRequest {
    StartMode mode = StartMode::Window;
    std::string configName;  // the configuration to apply, in apply mode
    bool reportsToCaller = false;  // apply mode for another copy of the program
};

// The arguments after the program's own name. Arguments are separated by blanks (any character
// up to and including the space); double quotes group blanks into an argument and are removed.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Only the first argument counts; the tray-start argument must match exactly, letter case included.
// A second argument is looked at only in apply mode, for the caller's report request.
StartRequest DecideStartMode(const std::vector<std::string>& arguments);

// Whether a configuration name reaches a started copy of the program as itself, in double quotes:
// it holds no double quote, and it is not the tray-start argument in any letter case.
bool PassesAsArgument(std::string_view name);

// The arguments that make another copy apply the configuration; nothing for a name that would not
// arrive as itself.
std::optional<std::string> ApplyArguments(std::string_view name, bool reportToCaller);

}  // namespace vt
