#include "measurement/engine/APMMonitor.hpp"

#include <cstdio>
#include <iostream>
#include <mutex>

namespace {

std::mutex sinkMutex;
std::function<void(const std::string&)>& sink() {
    static auto* current = new std::function<void(const std::string&)>();
    return *current;
}

const char* levelName(int level) {
    if (level <= 2) return "ERROR";
    if (level <= 5) return "WARNING";
    if (level == 6) return "NOTICE";
    return "DEBUG";
}

}  // namespace

std::string APMMonitor::formatLine(int level, long messageCode, const std::string& message,
                                   std::initializer_list<std::string> context) {
    char code[32];
    std::snprintf(code, sizeof code, "I-ACS%06ld", messageCode);
    std::string line = std::string(levelName(level)) + " <ZivOzavuzerove>[" + code + "] " + message;
    const char* separator = ": ";
    for (const std::string& value : context) {
        line += separator;
        line += value;
        separator = ", ";
    }
    // Names come from callers: a line break in one must not forge further console lines.
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return line;
}

void APMMonitor::logWithLevel(int level, long messageCode, const std::string& message,
                              std::initializer_list<std::string> context) {
    std::string line = formatLine(level, messageCode, message, context);
    std::lock_guard lock(sinkMutex);
    if (sink())
        sink()(line);
    else
        std::cout << line << std::endl;
}

void APMMonitor::setSinkForTesting(std::function<void(const std::string&)> replacement) {
    std::lock_guard lock(sinkMutex);
    sink() = std::move(replacement);
}
