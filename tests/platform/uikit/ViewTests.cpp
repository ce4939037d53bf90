#include <gtest/gtest.h>

#include <vector>

#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIView.hpp"

namespace {
std::shared_ptr<UIView> makeView(CGRect frame = {}, int tag = 0)
{
    auto v = std::make_shared<UIView>(frame);
    v->setTag(tag);
    return v;
}
} // namespace

TEST(UIView, HierarchiesOfViewsAndLayersKeepOrderRefuseCyclesAndAreSearchedDepthFirst)
{
    auto root = makeView();
    auto other = makeView();
    auto a = makeView({}, 1);
    auto a1 = makeView({}, 7);
    auto b = makeView({}, 7);
    root->addSubview(a);
    a->addSubview(a1);
    root->addSubview(b);
    EXPECT_EQ(root->viewWithTag(0), root); // the receiver's own tag 0 wins
    EXPECT_EQ(root->viewWithTag(7), a1);   // depth first: a's subtree before b

    other->addSubview(a);
    EXPECT_EQ(root->subviews(), (std::vector<std::shared_ptr<UIView>>{b}));
    root->insertSubview(a, 0);
    EXPECT_EQ(root->subviews(), (std::vector<std::shared_ptr<UIView>>{a, b}));
    a->removeFromSuperview();
    EXPECT_EQ(a->superview(), nullptr);

    // A view cannot contain itself or an ancestor, nor a layer its own ancestor.
    b->addSubview(root);
    b->addSubview(b);
    EXPECT_TRUE(b->subviews().empty());
    auto layer = std::make_shared<CALayer>();
    auto border = std::make_shared<CAShapeLayer>();
    layer->addSublayer(border);
    border->addSublayer(layer);
    EXPECT_TRUE(border->sublayers().empty());
    border->removeFromSuperlayer();
    EXPECT_TRUE(layer->sublayers().empty());

    // Subviews do not keep their superview alive.
    std::weak_ptr<UIView> weakRoot = root;
    root.reset();
    EXPECT_TRUE(weakRoot.expired());
    EXPECT_EQ(b->superview(), nullptr);
}

// Colours reaching the layer, and so the screen, are the renderer's own test.
TEST(UIView, GeometryReachesTheLayerAlphaStaysInRangeAndTheTintIsInherited)
{
    auto v = makeView({10, 20, 100, 40});
    EXPECT_EQ(v->center(), (CGPoint{60, 40}));
    v->setCenter({50, 50});
    EXPECT_EQ(v->frame(), (CGRect{0, 30, 100, 40}));
    EXPECT_EQ(v->layer()->frame(), v->frame());
    v->setAlpha(1.7);
    EXPECT_EQ(v->alpha(), 1.0);

    auto parent = makeView();
    parent->setTintColor(UIColor::orangeColor());
    parent->addSubview(v);
    EXPECT_EQ(v->tintColor(), UIColor::orangeColor());
}

TEST(NSLayoutConstraint, ConstraintsPlaceViewsAndFollowConstantChanges)
{
    auto root = makeView({0, 0, 400, 800});
    auto title = makeView({16, 10, 200, 20});
    auto scroll = makeView();
    auto label = makeView({0, 0, 50, 30});
    root->addSubview(title);
    root->addSubview(scroll);
    scroll->addSubview(label);

    auto top = scroll->topAnchor().constraintEqualToAnchor(title->bottomAnchor(), 8.0);
    NSLayoutConstraint::activateConstraints({
        top,
        scroll->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        scroll->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor()),
        scroll->bottomAnchor().constraintEqualToAnchor(root->bottomAnchor()),
        label->leadingAnchor().constraintEqualToAnchor(scroll->leadingAnchor(), title->frame().minX() + 4.0),
        label->trailingAnchor().constraintEqualToAnchor(scroll->trailingAnchor(), -48.0 - title->frame().minX()),
    });
    scroll->addConstraint(NSLayoutConstraint::constraintWithItem(label, NSLayoutAttribute::CenterY, NSLayoutRelation::Equal, scroll,
                                                                 NSLayoutAttribute::CenterY, 1.0, 0.0));
    // Constraints live on the closest common ancestor, in the order they were added.
    ASSERT_EQ(root->constraints().size(), 4u);
    EXPECT_EQ(root->constraints()[0], top);
    EXPECT_EQ(scroll->constraints().size(), 3u);

    root->layoutIfNeeded();
    EXPECT_EQ(scroll->frame(), (CGRect{0, 38, 400, 762}));
    EXPECT_EQ(label->frame(), (CGRect{20, 366, 316, 30}));

    top->setConstant(108.0);
    root->layoutIfNeeded();
    EXPECT_EQ(scroll->frame(), (CGRect{0, 138, 400, 662}));
    EXPECT_EQ(label->frame().midY(), 331);

    // Leaving the hierarchy drops the constraints that tie a view to it.
    label->removeFromSuperview();
    EXPECT_EQ(scroll->constraints().size(), 0u);

    // Sizes, ends and centres that follow the parent; an inactive constraint leaves its view.
    auto box = makeView();
    scroll->addSubview(box);
    auto width = box->widthAnchor().constraintEqualToConstant(100);
    NSLayoutConstraint::activateConstraints({
        width,
        box->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -150),
        box->topAnchor().constraintEqualToAnchor(scroll->topAnchor(), 281), // with the centre: the height
        box->centerYAnchor().constraintEqualToAnchor(scroll->centerYAnchor()),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(box->frame(), (CGRect{150, 281, 100, 100}));
    width->setActive(false);
    EXPECT_TRUE(box->constraints().empty() && scroll->constraints().size() == 2u);
    scroll->removeFromSuperview();
    EXPECT_TRUE(root->constraints().empty()); // also what tied its subviews to the views it left
}

TEST(NSLayoutConstraint, AConstraintFromAnAncestorMovesItsDescendant)
{
    auto root = makeView({0, 0, 400, 800});
    auto container = makeView({0, 0, 400, 800});
    auto table = makeView({0, 0, 400, 600});
    auto sibling = makeView({0, 0, 50, 50});
    root->addSubview(container);
    container->addSubview(table);
    root->addSubview(sibling);
    // Written with the ancestor first, as interface files often do; the table is what moves,
    // also when it sits deeper than a direct subview.
    auto trailing = root->trailingAnchor().constraintEqualToAnchor(table->trailingAnchor(), 20);
    auto bottom = NSLayoutConstraint::constraintWithItem(root, NSLayoutAttribute::Bottom, NSLayoutRelation::Equal, table,
                                                         NSLayoutAttribute::Bottom, 2.0, 100);
    NSLayoutConstraint::activateConstraints({
        trailing, bottom, root->leadingAnchor().constraintEqualToAnchor(table->leadingAnchor(), -10),
        sibling->centerXAnchor().constraintEqualToAnchor(table->trailingAnchor(), 30), // siblings: the first moves
    });
    root->layoutIfNeeded();
    EXPECT_EQ(root->frame(), (CGRect{0, 0, 400, 800}));
    EXPECT_EQ(table->frame().minX(), 10);
    EXPECT_EQ(table->frame().maxX(), 380);
    EXPECT_EQ(table->frame().maxY(), 350); // 800 = 2 * bottom + 100
    EXPECT_EQ(sibling->frame().minX(), 385);

    trailing->setConstant(60);
    root->layoutIfNeeded();
    EXPECT_EQ(table->frame().maxX(), 340);
    EXPECT_EQ(sibling->frame().minX(), 345);
}

TEST(UIView, HitTestingFindsTheFrontMostViewThatTakesTouches)
{
    auto root = makeView({0, 0, 400, 800});
    auto back = makeView({0, 0, 400, 400}, 1);
    auto front = makeView({100, 100, 100, 100}, 2);
    auto label = std::make_shared<UIView>(CGRect{0, 0, 400, 800});
    label->setUserInteractionEnabled(false);
    root->addSubview(back);
    root->addSubview(front);
    root->addSubview(label);
    EXPECT_EQ(root->hitTest({150, 150}), front);
    EXPECT_EQ(root->hitTest({200, 150}), back); // just past the front view's edge
    EXPECT_EQ(root->hitTest({50, 500}), root);
    EXPECT_EQ(root->hitTest({-1, 5}), nullptr);
    front->setHidden(true);
    EXPECT_EQ(root->hitTest({150, 150}), back);
    // Scrolled content moves under the point.
    back->setBounds({0, 100, 400, 400});
    auto inner = makeView({0, 150, 50, 50}, 3);
    back->addSubview(inner);
    EXPECT_EQ(root->hitTest({10, 60}), inner);
    EXPECT_EQ(root->convertPointToView({10, 60}, back.get()), (CGPoint{10, 160}));
}
