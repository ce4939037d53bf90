#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Radixel/services/AppMetaData.hpp"
#include "platform/foundation/URL.hpp"

// How the drawer's menu names and opens the product family's other apps, without UI.

// The app's name in the language, else its English name, else the empty text. No language
// (an environment that names none) goes straight to English.
std::string appDisplayName(const AppMetaData& app, const std::optional<std::string>& languageCode);

// Where a tap on an app leads: the app itself when one of its links (appURLPro, then appURL)
// forms a URL that canOpen takes, else its store page (storeURLPro, without asking canOpen;
// none when that text forms no URL). hasApp tells the first case from the second.
struct AppLinkChoice {
    std::optional<URL> url;
    bool hasApp = false;
};
AppLinkChoice chooseAppLink(const AppMetaData& app, const std::function<bool(const URL&)>& canOpen);
