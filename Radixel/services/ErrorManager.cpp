#include "Radixel/services/ErrorManager.hpp"

#include <iostream>

#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "Radixel/services/ViewManager.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

const std::string missingInputKey = "notEnoughInputValues";
const std::string pieceSeparator = "§";

std::vector<std::string> nonEmptyPieces(const std::string& key) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find(pieceSeparator, start);
        if (end == std::string::npos) end = key.size();
        if (end > start) pieces.push_back(key.substr(start, end - start));
        start = end + pieceSeparator.size();
    }
    return pieces;
}

std::string replacingAll(std::string text, const std::string& placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
    return text;
}

std::string message(const std::string& name) { return NSLocalizedString(name, name); }

}  // namespace

ErrorManager& ErrorManager::shared() {
    static ProcessShared<ErrorManager> manager([] { return std::make_shared<ErrorManager>(); });
    return *manager.get();
}

void ErrorManager::handleError(const std::string& errorKey, const std::vector<std::shared_ptr<DTTextField>>& fields) {
    DDVAnalytics::logEventWithName("ketu_got_error", {{"error_case", errorKey}});
    bool missingInput = errorKey == missingInputKey;
    if (missingInput)
        std::cout << "INPUT: NOT ENOUGH INPUT VALUES" << std::endl;
    else
        std::cout << "INPUT ERROR: " << errorKey << std::endl;
    UIColor border = missingInput ? UIColor::orangeColor() : UIColor::redColor();
    for (const std::shared_ptr<DTTextField>& field : fields) {
        if (field) field->setBorderColor(border);
    }
    showError(errorKey);
}

void ErrorManager::showError(const std::string& errorKey) {
    std::vector<std::string> pieces = nonEmptyPieces(errorKey);
    if (pieces.empty()) return;
    const std::string& name = pieces.front();

    if (name == "oppositionError") {
        std::shared_ptr<UIWindow> window = ViewManager::keyWindow();
        std::shared_ptr<UIViewController> root = window ? window->rootViewController() : nullptr;
        if (!root) return;
        showAlert(*root, LocalizedString::error(), message(name), {}, UIAlertControllerStyle::Alert);
    } else if (name == "mustBeBiggerThanXAndLessThanY") {
        if (pieces.size() != 3) return;
        ViewManager::showToast(replacingAll(replacingAll(message(name), "%0", pieces[1]), "%1", pieces[2]));
    } else if (name == "mustBeGreatherThanX" || name == "mustBeLessThanX") {
        if (pieces.size() != 2) return;
        ViewManager::showToast(replacingAll(message(name), "%0", pieces[1]));
    } else {
        ViewManager::showToast(message(name));
    }
}
