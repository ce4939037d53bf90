#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIAlertController.hpp"

class UIViewController;

// What every screen may ask of its view controller, given as functions over the controller.
// All of them are called on the main thread.

// Presents an alert from the controller, animated. An empty action list gets one plain "OK"
// button that only closes the alert, so the user is never left without a way out; otherwise the
// actions come in the given order and nothing is added.
void showAlert(UIViewController& controller, std::optional<std::string> title, std::optional<std::string> message,
               const std::vector<std::shared_ptr<UIAlertAction>>& actions, UIAlertControllerStyle style);

// The controller's page-tab item: the title in "Avenir-Medium" 14, light when enabled, grey
// when not.
void setupPageTabItem(UIViewController& controller, const std::string& title, bool enabled);

// Opens the store's rating page of the running app (from its remote-configuration record) and
// logs "Tapped Rating in Menu". Without that record, which comes with the remote configuration,
// it shows the "noInternet" alert; a link that cannot be opened does nothing visible.
void openRatingPage(UIViewController& controller);

// Asks a public web page whether the network answers, off the main thread, and returns at once.
// On the main queue afterwards: any HTTP answer (an error status too) runs action; no answer
// shows the "noInternet" alert from the controller, whose "OK" runs failureAction when one is
// given. The controller and both closures are kept until then.
//
// The page is "https://example.com/", or the address in RADIXEL_INTERNET_CHECK_URL.
using InternetCheckFailureAction = std::function<void(const std::shared_ptr<UIAlertAction>& action)>;
void checkInternetConnection(UIViewController& controller, std::function<void()> action,
                             InternetCheckFailureAction failureAction = {});
std::string internetCheckURL();

// The bottom safe-area inset of the last window of the first connected scene; 0 without a
// window scene or window.
CGFloat bottomSafeAreaInset();
