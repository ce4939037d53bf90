#include "Radixel/screens/calculate/CalculateViewController.hpp"

#include "Radixel/math/KeTuStringOutput.hpp"
#include "Radixel/screens/calculate/HistoryRecord.hpp"
#include "Radixel/screens/calculate/KeypadEditing.hpp"
#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/ErrorManager.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/material/Icon.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabsController.hpp"
#include "platform/material/ToolbarController.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UITableView.hpp"

bool isCalculating = false;

namespace {

// Holds isCalculating for one calculation and gives it back however the calculation ends, so
// an exception can never leave the keypad, Clear and the menu dead for the rest of the run.
class CalculatingScope {
public:
    CalculatingScope() { isCalculating = true; }
    ~CalculatingScope() { isCalculating = false; }
    CalculatingScope(const CalculatingScope&) = delete;
    CalculatingScope& operator=(const CalculatingScope&) = delete;
};

template <class T>
void requireOutlet(const T& outlet, const char* name) {
    if (!outlet) uikit::fatalError(std::string("CalculateViewController: the outlet ") + name + " is not connected");
}

// Page 1 of the tabs, when it is the solution page.
std::shared_ptr<SolutionViewController> solutionPage(Material::TabsController* tabs) {
    if (!tabs || tabs->viewControllers().size() < 2) return nullptr;
    return std::dynamic_pointer_cast<SolutionViewController>(tabs->viewControllers()[1]);
}

std::string input(const Calculation& calculation, const std::string& key) {
    auto entry = calculation.inputParameters.find(key);
    return entry == calculation.inputParameters.end() ? std::string() : entry->second;
}

void setupInputTabItem(UIViewController& controller) {
    setupPageTabItem(controller, NSLocalizedString("Input", "Pagebar title for main calculate view"), true);
}

}  // namespace

CalculateViewController::CalculateViewController() {
    setupInputTabItem(*this);
    setupToolbarItems();
}

CalculateViewController::CalculateViewController(const NSCoder& coder) : AdHandlingViewController(coder) {
    setupInputTabItem(*this);
    setupToolbarItems();
}

// UIViewController

void CalculateViewController::viewDidLoad() {
    AdHandlingViewController::viewDidLoad();
    requireOutlet(fillInLabel.lock(), "fillInLabel");
    requireOutlet(bottomBannerConstraint, "bottomBannerConstraint");
    requireOutlet(pTextField, "pTextField");
    requireOutlet(qTextField, "qTextField");
    requireOutlet(deleteButton, "deleteButton");
    requireOutlet(calculateButton, "calculateButton");

    fillInLabel.lock()->setText(LocalizedString::fillInYourGivenNumbers());
    setupInputTabItem(*this);
    setupToolbarItems();
    styleTextFields();
    setupKeypad();

    CalcManager& history = CalcManager::shared();
    if (history.currentSelectedCalculation) {
        Calculation picked = *history.currentSelectedCalculation;
        history.currentSelectedCalculation.reset();
        history.saveCurrentSelectedCalculation();
        restoreInputs(picked);
    } else if (history.currentCalculation) {
        restoreInputs(*history.currentCalculation);
    }
    ColorManager::applyColors(*view());
}

void CalculateViewController::viewWillAppear(bool animated) {
    AdHandlingViewController::viewWillAppear(animated);
    if (bannerView) bannerView->setHidden(true);
    bottomBannerConstraint->setConstant(bottomSafeAreaInset());
    view()->layoutIfNeeded();
    setupToolbarItems();
}

void CalculateViewController::viewDidAppear(bool animated) {
    AdHandlingViewController::viewDidAppear(animated);
    RatingViewController::shared().check(as<UIViewController>());
}

void CalculateViewController::viewWillLayoutSubviews() {
    AdHandlingViewController::viewWillLayoutSubviews();
    setupToolbarItems();
}

void CalculateViewController::viewWillDisappear(bool animated) {
    AdHandlingViewController::viewWillDisappear(animated);
    storeCurrentInputs();
}

void CalculateViewController::setupToolbarItems() {
    auto toolbarController = Material::toolbarController(*this);
    if (!toolbarController) return;
    clearAllButton =
        std::make_shared<Material::IconButton>(NSLocalizedString("Clear", "Clear"), ThemeColor::lightText());
    // The face is named as the design names it; where it is missing the default font stays.
    if (auto font = UIFont::fontWithName("Avenier", 14)) clearAllButton->titleLabel()->setFont(*font);
    clearAllButton->addTarget(as<CalculateViewController>(), &CalculateViewController::handleClearAllButton,
                              UIControlEventTouchUpInside);
    clearAllButton->setAccessibilityIdentifier("toolbarRemoveButton");
    auto& toolbar = *toolbarController->toolbar();
    toolbar.setTitle(NSLocalizedString("Calculate Title", "Toolbar title for calculate view"));
    toolbar.setRightViews({clearAllButton});
}

void CalculateViewController::styleTextFields() {
    for (const auto& field : {pTextField, qTextField}) {
        field->setFloatPlaceholderColor(KeTuColor::color1());
        field->setFloatPlaceholderActiveColor(KeTuColor::color2());
        field->setCanShowBorder(true);
        field->setPaddingYFloatLabel(-12.0);
        field->setFloatPlaceholderFont(UIFont::fontWithName("HelveticaNeue", 10));
        field->setHideErrorWhenEditing(true);
        field->setBorderColor(ThemeColor::textFieldBorder());
    }
}

void CalculateViewController::setupKeypad() {
    auto self = as<CalculateViewController>();
    pTextField->setDelegate(self);
    qTextField->setDelegate(self);
    disableSystemKeyboard({pTextField, qTextField});
    deleteButton->setImage(Material::Icon::arrowBack());
    calculateButton->setImage(Material::Icon::check());
}

void CalculateViewController::disableSystemKeyboard(const std::vector<std::shared_ptr<DTTextField>>& fields) {
    auto noKeyboard = std::make_shared<UIView>(CGRectZero);
    for (const auto& field : fields) {
        field->setInputView(noKeyboard);
        field->setAutocorrectionType(UITextAutocorrectionType::No);
        field->inputAssistantItem().leadingBarButtonGroups.clear();
        field->inputAssistantItem().trailingBarButtonGroups.clear();
    }
}

void CalculateViewController::restoreInputs(const Calculation& calculation) {
    pTextField->setText(input(calculation, "p"));
    qTextField->setText(input(calculation, "q"));
}

void CalculateViewController::insertKeypadValue(const std::shared_ptr<UIButton>& sender) {
    if (isCalculating || !currentTextField || !sender) return;
    auto range = currentTextField->selectedTextRange();
    if (!range) return;
    std::string title = sender->titleLabel()->text().value_or("");
    KeypadEditResult edit =
        insertingKeypadValue(currentTextField->text(), range->start.offset, range->end.offset, title);
    currentTextField->setText(edit.text);
    currentTextField->setSelectedTextRange(UITextRange{{edit.cursor}, {edit.cursor}});
}

void CalculateViewController::deleteAtCursor() {
    if (isCalculating || !currentTextField || currentTextField->text().empty()) return;
    auto range = currentTextField->selectedTextRange();
    if (!range) return;
    if (auto edit = deletingAtCursor(currentTextField->text(), range->start.offset, range->end.offset)) {
        currentTextField->setText(edit->text);
        currentTextField->setSelectedTextRange(UITextRange{{edit->cursor}, {edit->cursor}});
    }
}

bool CalculateViewController::calculate() {
    CalculatingScope calculating;
    resetResult();
    clearErrorMarking();
    KeTuStringOutput::shared().solutionSteps.clear();
    KeTuStringOutput::shared().solutionStepCounter = 0;

    KeTuRadixel solver;
    KeTuRadixelResult result = solver.calculate(pText(), pTextField->tag(), qText(), qTextField->tag());
    if (result.errorKey) {
        auto field =
            std::dynamic_pointer_cast<DTTextField>(view()->viewWithTag(static_cast<int>(result.errorTag.value_or(-1))));
        showInputError(*result.errorKey, field);
        return false;
    }
    solutionSteps = result.solutionSteps.value_or(Steps{});
    p = result.p.value_or(Fraction{});
    q = result.q.value_or(Fraction{});
    withFraction = result.withFraction;
    addToHistory();
    showSolution(result.solutionSteps, {}, "", std::nullopt, 100.0);
    DDVAnalytics::logEventWithName("ketu_calculate",
                                   {{"solutionStepsCount", static_cast<int64_t>(solutionSteps.size())}});
    return true;
}

void CalculateViewController::showInputError(const std::string& errorKey, const std::shared_ptr<DTTextField>& field) {
    std::vector<std::shared_ptr<DTTextField>> fields;
    if (errorKey == "notEnoughInputValues") {
        for (const auto& candidate : {pTextField, qTextField}) {
            if (candidate->text().empty()) fields.push_back(candidate);
        }
    } else if (field) {
        // A tag that names no field of this screen marks nothing; the message still shows.
        fields.push_back(field);
    }
    ErrorManager::shared().handleError(errorKey, fields);
}

void CalculateViewController::addToHistory() {
    CalcManager::shared().addCalculation(historyCalculation(pText(), p, qText(), q, withFraction));
}

void CalculateViewController::showSolution(const std::optional<Steps>& steps,
                                           const std::vector<std::vector<std::shared_ptr<ChartData>>>& chartSteps,
                                           const std::string& manualImageName,
                                           const std::optional<std::map<int64_t, CGFloat>>& configuredRowHeight,
                                           CGFloat rowHeight) {
    auto tabs = Material::tabsController(*this);
    auto solution = solutionPage(tabs.get());
    if (!solution || !steps) return;
    solution->solutionSteps = *steps;
    solution->tableView->reloadData();
    solution->chartSteps = chartSteps;
    solution->manualImageName = manualImageName;
    solution->configuredRowHeight = configuredRowHeight;
    solution->tableView->setRowHeight(rowHeight);
    if (solution->tableView->numberOfRowsInSection(0) > 0)
        solution->tableView->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPosition::Top, false);
    tabs->select(1);
}

void CalculateViewController::handleClearAllButton() {
    DDVAnalytics::logEventWithName("tapped_clear");
    clearErrorMarking();
    if (isCalculating) return;
    auto tabs = Material::tabsController(*this);
    if (auto solution = solutionPage(tabs.get())) {
        solution->clearSolution();
    } else {
        NSNotificationCenter::defaultCenter().postNotificationName("ClearCurrentCalculationNotification");
    }
    pTextField->setText("");
    qTextField->setText("");
    resetResult();
    CalcManager& history = CalcManager::shared();
    history.currentCalculation.reset();
    history.saveCurrentSelectedCalculation();
    history.currentSelectedCalculation.reset();
    history.saveCurrentSelectedCalculation();
    if (tabs) tabs->select(0);
}

void CalculateViewController::storeCurrentInputs() {
    Calculation inputs;
    inputs.inputParameters = historyInputParameters(pText(), qText());
    CalcManager::shared().currentCalculation = inputs;
    CalcManager::shared().saveCurrentSelectedCalculation();
}

// Actions

void CalculateViewController::tappedKeypadButtonWithValue(const std::shared_ptr<UIButton>& sender) {
    insertKeypadValue(sender);
}

void CalculateViewController::tappedDeleteButton(const std::shared_ptr<UIControl>& /*sender*/) { deleteAtCursor(); }

void CalculateViewController::tappedCalculateButton(const std::shared_ptr<UIControl>& /*sender*/) {
    if (!isCalculating) calculate();
}

// UITextFieldDelegate

bool CalculateViewController::textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& textField) {
    currentTextField = textField;
    return true;
}

bool CalculateViewController::textFieldShouldChangeCharactersInRange(const std::shared_ptr<UITextField>& /*textField*/,
                                                                     NSRange /*range*/,
                                                                     const std::string& /*replacement*/) {
    return true;
}

bool CalculateViewController::textFieldShouldReturn(const std::shared_ptr<UITextField>& /*textField*/) { return true; }

void CalculateViewController::resetResult() {
    p = Fraction{};
    q = Fraction{};
    withFraction = false;
    solutionSteps.clear();
    solutionStepCounter = 0;
}

void CalculateViewController::clearErrorMarking() {
    pTextField->setBorderColor(ThemeColor::textFieldBorder());
    qTextField->setBorderColor(ThemeColor::textFieldBorder());
}

std::string CalculateViewController::pText() const { return pTextField->text(); }

std::string CalculateViewController::qText() const { return qTextField->text(); }
