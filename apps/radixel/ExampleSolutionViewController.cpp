#include "apps/radixel/ExampleSolutionViewController.hpp"

#include <iostream>

#include "Radixel/math/KeTuRadixel.hpp"
#include "apps/radixel/FormulaStepCell.hpp"
#include "platform/uikit/UITableView.hpp"

namespace {
std::string valueOr(const std::map<std::string, std::string>& step, const std::string& key)
{
    auto it = step.find(key);
    return it == step.end() ? std::string() : it->second;
}
} // namespace

ExampleSolutionViewController::ExampleSolutionViewController()
{
    KeTuRadixel solver;
    auto result = solver.calculate("-2.4", 1, "7/3", 2);
    if (result.solutionSteps) {
        steps_ = *result.solutionSteps;
    } else {
        std::cerr << "radixel: the example calculation failed: " << result.errorKey.value_or("unknown error") << "\n";
    }
}

void ExampleSolutionViewController::viewDidLoad()
{
    UITableViewController::viewDidLoad();
    auto table = tableView();
    table->registerClass<FormulaStepCell>();
    table->setBackgroundColor(UIColor::systemBackgroundColor());
    // Keep the first row clear of the status bar.
    table->setContentInset({44, 0, 0, 0});
    table->setContentOffset({0, -44});
}

int64_t ExampleSolutionViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& /*tableView*/, int64_t /*section*/)
{
    return static_cast<int64_t>(steps_.size());
}

std::shared_ptr<UITableViewCell> ExampleSolutionViewController::tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                                             const NSIndexPath& indexPath)
{
    auto cell = tableView->dequeue<FormulaStepCell>(indexPath);
    const auto& step = steps_.at(static_cast<size_t>(indexPath.row));
    cell->configure(valueOr(step, "title"), valueOr(step, "latexString"));
    return cell;
}

std::optional<CGFloat> ExampleSolutionViewController::tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/,
                                                                                       const NSIndexPath& /*indexPath*/)
{
    return FormulaStepCell::rowHeight;
}
