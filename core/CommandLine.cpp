// Command-line splitting and the start-mode decision.
#include "core/CommandLine.h"

#include "base/AnsiText.h"

namespace vt {

namespace {

bool IsSeparator(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    while (true) {
        while (pos < commandLine.size() && IsSeparator(commandLine[pos])) ++pos;
        if (pos >= commandLine.size()) break;
        std::string token;
        bool quoted = false;
        for (; pos < commandLine.size(); ++pos) {
            const char c = commandLine[pos];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && IsSeparator(c))
                break;
            else
                token.push_back(c);
        }
        tokens.push_back(std::move(token));
    }
    if (!tokens.empty()) tokens.erase(tokens.begin());  // the program's own name
    return tokens;
}

StartRequest DecideStartMode(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {StartMode::Window, {}};
    if (arguments.front() == kTrayStartArgument) return {StartMode::Tray, {}};
    return {StartMode::Apply, arguments.front(),
            arguments.size() > 1 && arguments[1] == kReportToCallerArgument};
}

bool PassesAsArgument(std::string_view name) {
    return name.find('"') == std::string_view::npos &&
           !EqualsIgnoreCase(name, kTrayStartArgument);
}

std::optional<std::string> ApplyArguments(std::string_view name, bool reportToCaller) {
    if (!PassesAsArgument(name)) return std::nullopt;
    std::string arguments = "\"" + std::string(name) + "\"";
    if (reportToCaller) arguments.append(" ").append(kReportToCallerArgument);
    return arguments;
}

}  // namespace vt
