#pragma once

// The hosting framework's app object: the program configures it once at start-up, before
// anything logs analytics events; until then the analytics interface drops events.
class DDVApp {
public:
    // Configures the default app. Safe from any thread; configuring again changes nothing.
    static void configure();
    static bool isDefaultAppConfigured();

    // Back to the unconfigured state of a fresh process.
    static void resetForTesting();
};
