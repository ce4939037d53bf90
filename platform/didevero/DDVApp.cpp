#include "platform/didevero/DDVApp.hpp"

#include <atomic>

namespace {
std::atomic<bool> defaultAppConfigured{false};
}

void DDVApp::configure() { defaultAppConfigured.store(true); }

bool DDVApp::isDefaultAppConfigured() { return defaultAppConfigured.load(); }

void DDVApp::resetForTesting() { defaultAppConfigured.store(false); }
