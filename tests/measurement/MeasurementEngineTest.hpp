#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "support/ScratchFolder.hpp"

// A started engine over a scratch data folder, with every console line it logs kept for the
// test. Each test starts and ends with no engine and no configured app.
class MeasurementEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        APMAnalytics::resetForTesting();
        folder.useAsAppDataDirectory();
        DDVApp::configure();
        APMMonitor::setSinkForTesting([this](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
        });
    }
    void TearDown() override {
        APMAnalytics::resetForTesting();
        APMMonitor::setSinkForTesting(nullptr);
        DDVApp::resetForTesting();
    }
    // The lines logged so far, or those that carry the given text (a message code).
    std::vector<std::string> logged(const std::string& containing = "") {
        std::lock_guard lock(mutex);
        std::vector<std::string> found;
        for (const auto& line : lines)
            if (line.find(containing) != std::string::npos) found.push_back(line);
        return found;
    }

    ScratchFolder folder;
    std::mutex mutex;
    std::vector<std::string> lines;
};
