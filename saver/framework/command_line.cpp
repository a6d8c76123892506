#include "saver/framework/command_line.h"

namespace qv {

std::string ArgumentsAfterProgramName(const std::string& commandLine) {
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    if (n > 0 && commandLine[0] == '"') {
        // Quoted name: up to the closing quote (or the end, when the quote is never closed).
        std::size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? n : close + 1;
    } else {
        while (i < n && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
    }
    while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    return commandLine.substr(i);
}

}  // namespace qv
