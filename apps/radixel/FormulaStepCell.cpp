#include "apps/radixel/FormulaStepCell.hpp"

FormulaStepCell::FormulaStepCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier)
    : UITableViewCell(style, std::move(reuseIdentifier)), title_(std::make_shared<UILabel>()), formula_(std::make_shared<MTMathUILabel>())
{
    title_->setFont(UIFont::fontWithName("Avenir-Heavy", 15));
    title_->setTextColor(UIColor::secondaryLabelColor());
    formula_->setFontSize(19);
    formula_->setTextColor(UIColor::labelColor().resolvedColorWithTraitCollection(UITraitCollection::currentTraitCollection()));
    setSelectionStyle(UITableViewCellSelectionStyle::None);
}

void FormulaStepCell::configure(const std::string& title, const std::string& latex)
{
    if (!title_->superview()) {
        contentView()->addSubview(title_);
        contentView()->addSubview(formula_);
    }
    title_->setText(title);
    formula_->setLatex(latex);
    setNeedsLayout();
}

void FormulaStepCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    CGRect b = contentView()->bounds();
    title_->setFrame({16, 8, b.size.width - 32, 22});
    formula_->setFrame({16, 32, b.size.width - 32, b.size.height - 40});
}
