#pragma once

#include <map>
#include <string>

class UIApplication;

using UIApplicationLaunchOptions = std::map<std::string, std::string>;

// What the application tells its delegate. Every method has an empty default.
class UIApplicationDelegate {
public:
    virtual ~UIApplicationDelegate() = default;

    virtual bool applicationDidFinishLaunchingWithOptions(UIApplication& /*application*/, const UIApplicationLaunchOptions& /*options*/)
    {
        return true;
    }
    virtual void applicationDidBecomeActive(UIApplication& /*application*/) {}
    virtual void applicationWillResignActive(UIApplication& /*application*/) {}
    virtual void applicationDidEnterBackground(UIApplication& /*application*/) {}
    virtual void applicationWillEnterForeground(UIApplication& /*application*/) {}
    virtual void applicationWillTerminate(UIApplication& /*application*/) {}
};
