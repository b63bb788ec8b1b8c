#include "companions/resume_arguments.h"

#include <cstring>
#include <string_view>

namespace companions {

namespace {

constexpr std::string_view kBlanks = " \t";

// What follows the program name, which is quoted or ends at the first blank.
// A command line made by a caller that passed " " as the whole command line
// has an empty program name.
std::string_view Tail(std::string_view commandLine) {
    if (!commandLine.empty() && commandLine.front() == '"') {
        const auto closing = commandLine.find('"', 1);
        return closing == std::string_view::npos ? std::string_view{} : commandLine.substr(closing + 1);
    }
    const auto end = commandLine.find_first_of(kBlanks);
    return end == std::string_view::npos ? std::string_view{} : commandLine.substr(end);
}

}  // namespace

bool IsStartedAfterSave(const char* commandLine) {
    if (!commandLine) return false;
    const std::string_view tail = Tail(commandLine);
    if (tail.empty()) return false;
    const auto first = tail.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return true;
    const auto last = tail.find_last_not_of(kBlanks);
    return tail.substr(first, last - first + 1) == "\" \"";
}

}  // namespace companions
