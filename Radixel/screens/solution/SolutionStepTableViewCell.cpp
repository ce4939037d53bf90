#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"

#include <algorithm>

#include "Radixel/screens/solution/LatexCleanUp.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string removingAll(std::string text, const std::string& marker) {
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at)) {
        text.erase(at, marker.size());
    }
    return text;
}

}  // namespace

SolutionStepTableViewCell::SolutionStepTableViewCell(UITableViewCellStyle style,
                                                     std::optional<std::string> reuseIdentifier)
    : UITableViewCell(style, std::move(reuseIdentifier)), scrollView(std::make_shared<UIScrollView>()) {}

SolutionStepTableViewCell::SolutionStepTableViewCell(const NSCoder& coder)
    : UITableViewCell(coder), scrollView(std::make_shared<UIScrollView>()) {}

// MARK: - UITableViewCell

void SolutionStepTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    setupViews();
}

void SolutionStepTableViewCell::setSelected(bool selected, bool animated) {
    UITableViewCell::setSelected(selected, animated);
}

// The layout resolver knows nothing of a scroll view's content, so the formula label is sized
// here: as wide as the formula when that is wider than the room the row leaves it, with the
// scroll view's content reaching to its end plus the right margin, so a long formula scrolls
// instead of being cut.
void SolutionStepTableViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    if (!mathLabel) {
        return;
    }
    CGSize area = scrollView->bounds().size;
    CGFloat room = std::max<CGFloat>(0, area.width - formulaLeading_ - formulaTrailing_);
    CGFloat width = std::max(room, mathLabel->intrinsicContentSize().width);
    mathLabel->setFrame({formulaLeading_, 0, width, area.height});
    scrollView->setContentSize({formulaLeading_ + width + formulaTrailing_, area.height});
}

// MARK: - Set-up and content

void SolutionStepTableViewCell::setupViews() {
    if (!stepTitleLabel || !mathLabel) {
        uikit::fatalError("SolutionStepTableViewCell: the title label and the formula placeholder must be connected");
    }
    auto content = contentView();
    content->addSubview(scrollView);
    scrollView->setShowsHorizontalScrollIndicator(true);
    scrollView->setScrollEnabled(true);
    scrollView->setClipsToBounds(true);
    scrollView->setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activateConstraints({
        scrollView->topAnchor().constraintEqualToAnchor(stepTitleLabel->bottomAnchor(), 8.0),
        scrollView->leadingAnchor().constraintEqualToAnchor(content->leadingAnchor()),
        scrollView->trailingAnchor().constraintEqualToAnchor(content->trailingAnchor()),
        scrollView->bottomAnchor().constraintEqualToAnchor(content->bottomAnchor()),
    });

    CGFloat titleX = stepTitleLabel->frame().minX();
    formulaLeading_ = titleX + 4.0;
    formulaTrailing_ = 48.0 + titleX;
    // The placeholder stays where the prototype put it; the formula goes into the scroller.
    mathLabel = std::make_shared<MTMathUILabel>(mathLabel->bounds());
    scrollView->addSubview(mathLabel);
    mathLabel->setTranslatesAutoresizingMaskIntoConstraints(false);
    mathLabel->setTextColor(ThemeColor::label());
    scrollView->addConstraint(NSLayoutConstraint::constraintWithItem(mathLabel, NSLayoutAttribute::CenterY,
                                                                     NSLayoutRelation::Equal, scrollView,
                                                                     NSLayoutAttribute::CenterY, 1.0, 0.0));
    scrollView->setContentSize(mathLabel->bounds().size);

    if (!messageLabel) {
        CGRect b = bounds();
        messageLabel = std::make_shared<UILabel>(CGRect{b.minX() + 28.0, b.minY(), b.size.width, b.size.height});
        messageLabel->setTextAlignment(NSTextAlignment::Left);
        messageLabel->setFont(UIFont::systemFontOfSize(16.0));
        addSubview(messageLabel);
    }
}

void SolutionStepTableViewCell::setStepTitle(const std::string& title) {
    if (!stepTitleLabel) {
        return;
    }
    if (endsWith(title, boldMarker)) {
        NSAttributes attributes;
        attributes.font = UIFont::fontWithName("Avenir-Heavy", 14.0);
        stepTitleLabel->setAttributedText(NSAttributedString(removingAll(title, boldMarker), attributes));
    } else {
        stepTitleLabel->setText(title);
        stepTitleLabel->setFont(UIFont::fontWithName("Avenir-Book", 14.0));
    }
}

void SolutionStepTableViewCell::configure(const SolutionStep& step) {
    if (messageLabel) {
        messageLabel->setText(std::string());
    }
    if (mathLabel) {
        mathLabel->setLatex(std::string());
    }
    // A reused cell may have been scrolled sideways; the new formula starts at its beginning.
    scrollView->setContentOffset({0, 0});
    if (step.empty()) {
        return;
    }
    if (auto message = step.find("messageString"); message != step.end()) {
        if (messageLabel) {
            messageLabel->setText(message->second);
        }
    } else if (auto latex = step.find("latexString"); latex != step.end() && mathLabel) {
        mathLabel->setLatex(cleanUpLatexString(latex->second));
    }
    setNeedsLayout();
}
