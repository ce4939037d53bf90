#pragma once

#include <functional>
#include <initializer_list>
#include <string>

// The measurement engine's console log. A line reads
//     WARNING <ZivOzavuzerove>[I-ACS025018] Event not logged. Call +[DDVApp configure]
// and a message that names context values ends with them: "... Event name, parameter name: a, b".
// Levels 0 to 2 print as ERROR, 3 to 5 as WARNING, 6 as NOTICE, 7 as DEBUG.
class APMMonitor {
public:
    enum Level { error = 1, warning = 4, notice = 6, debug = 7 };

    static void logWithLevel(int level, long messageCode, const std::string& message,
                             std::initializer_list<std::string> context = {});

    // Formats one console line, without the line break.
    static std::string formatLine(int level, long messageCode, const std::string& message,
                                  std::initializer_list<std::string> context = {});

    // Sends lines to sink instead of standard output; an empty function restores the console.
    static void setSinkForTesting(std::function<void(const std::string& line)> sink);
};
