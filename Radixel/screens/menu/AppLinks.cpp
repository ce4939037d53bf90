#include "Radixel/screens/menu/AppLinks.hpp"

std::string appDisplayName(const AppMetaData& app, const std::optional<std::string>& languageCode) {
    if (languageCode) {
        if (auto own = app.appName.find(*languageCode); own != app.appName.end()) return own->second;
    }
    auto english = app.appName.find("en");
    return english == app.appName.end() ? std::string() : english->second;
}

AppLinkChoice chooseAppLink(const AppMetaData& app, const std::function<bool(const URL&)>& canOpen) {
    for (const std::string* text : {&app.appURLPro, &app.appURL}) {
        std::optional<URL> link = URL::string(*text);
        if (link && canOpen(*link)) return {std::move(link), true};
    }
    return {URL::string(app.storeURLPro), false};
}
