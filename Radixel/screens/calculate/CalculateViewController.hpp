#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/charts/ChartData.hpp"
#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/screens/root/AdHandlingViewController.hpp"
#include "platform/material/Button.hpp"
#include "platform/uikit/UITextField.hpp"

struct Calculation;
class DTTextField;
class NSLayoutConstraint;
class UIStackView;

// True for the whole of one calculation: the keypad, delete, calculate, clear and the toolbar's
// menu button do nothing meanwhile.
extern bool isCalculating;

// The first page: the user types p and q of x² + p·x + q = 0 on the screen's own keypad (the
// system keyboard never shows; a hardware keyboard still types into the focused field) and taps
// calculate. An input error marks the field at fault and shows a toast, leaving the inputs, the
// history and the solution page as they were; a solution goes to the history and to page 1.
//
// The toolbar's Clear button belongs to this page and is made anew whenever the page lays out,
// since the toolbar is shared with the solution page. The inputs outlive the screen within one
// run: a screen made later shows them again, unless a history entry was picked, which wins once.
class CalculateViewController : public AdHandlingViewController, public UITextFieldDelegate {
public:
    using Steps = std::vector<std::map<std::string, std::string>>;

    CalculateViewController();
    explicit CalculateViewController(const NSCoder& coder);

    std::weak_ptr<UILabel> fillInLabel;
    std::weak_ptr<UIView> bannerBackgroundView;
    std::shared_ptr<NSLayoutConstraint> bottomBannerConstraint;
    std::shared_ptr<Material::IconButton> clearAllButton;
    std::shared_ptr<UIStackView> keypadStackView;
    std::shared_ptr<DTTextField> pTextField;
    std::shared_ptr<DTTextField> qTextField;
    std::shared_ptr<Material::FlatButton> deleteButton;
    std::shared_ptr<Material::FlatButton> calculateButton;
    std::shared_ptr<UITextField> currentTextField;
    Fraction p;
    Fraction q;
    bool withFraction = false;
    Steps solutionSteps;
    std::optional<int64_t> solutionStepCounter;

    // UIViewController
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillLayoutSubviews() override;
    void viewWillDisappear(bool animated) override;

    void setupToolbarItems();
    void styleTextFields();
    void setupKeypad();
    void disableSystemKeyboard(const std::vector<std::shared_ptr<DTTextField>>& fields);
    void restoreInputs(const Calculation& calculation);
    void insertKeypadValue(const std::shared_ptr<UIButton>& sender);
    void deleteAtCursor();
    bool calculate();
    void showInputError(const std::string& errorKey, const std::shared_ptr<DTTextField>& field);
    void addToHistory();
    void showSolution(const std::optional<Steps>& steps,
                      const std::vector<std::vector<std::shared_ptr<ChartData>>>& chartSteps,
                      const std::string& manualImageName,
                      const std::optional<std::map<int64_t, CGFloat>>& configuredRowHeight, CGFloat rowHeight);
    void handleClearAllButton();
    void storeCurrentInputs();

    // Actions
    void tappedKeypadButtonWithValue(const std::shared_ptr<UIButton>& sender);
    void tappedDeleteButton(const std::shared_ptr<UIControl>& sender);
    void tappedCalculateButton(const std::shared_ptr<UIControl>& sender);

    // UITextFieldDelegate
    bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& textField) override;
    bool textFieldShouldChangeCharactersInRange(const std::shared_ptr<UITextField>& textField, NSRange range,
                                                const std::string& replacement) override;
    bool textFieldShouldReturn(const std::shared_ptr<UITextField>& textField) override;

private:
    void resetResult();
    void clearErrorMarking();
    std::string pText() const;
    std::string qText() const;
};
