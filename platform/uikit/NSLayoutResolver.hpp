#pragma once

class UIView;

// A small resolver for the equality constraints of a view tree: edges, centres, widths and
// heights. Each constraint moves one of its items: the second when the first is its ancestor
// (superview chain), so "root.trailing = table.trailing + 20" places the table, else the first.
// A view gets its frame from the constraints that move it (later ones win over earlier ones on
// the same attribute); the attributes of an axis
// combine as the platform's would (leading + trailing fix origin and width, centre + width fix
// both, a lone edge or centre moves the view and keeps its size). Chains settle over a few
// rounds. Inequalities and priorities are not solved.
class NSLayoutResolver {
public:
    static void resolve(UIView& root);
};
