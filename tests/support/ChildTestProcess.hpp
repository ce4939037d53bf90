#pragma once

#include <spawn.h>
#include <string>
#include <sys/types.h>
#include <vector>

extern char** environ;

// Starts this test program again as a child that runs only the test named by filter
// ("Suite.Name"), with variable=value added to its environment. The child test reads the
// variable and skips itself when run without it. Answers the child's pid, or -1.
inline pid_t startChildTest(const std::string& filter, const std::string& variable, const std::string& value) {
    std::string assignment = variable + "=" + value;
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry) environment.push_back(*entry);
    environment.push_back(assignment.data());
    environment.push_back(nullptr);
    std::string filterOption = "--gtest_filter=" + filter;
    char program[] = "/proc/self/exe";
    std::vector<char*> arguments{program, filterOption.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, arguments.data(), environment.data()) != 0) return -1;
    return child;
}
