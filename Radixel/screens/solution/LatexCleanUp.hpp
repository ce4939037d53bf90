#pragma once

#include <string>

// Turns the plain text that number formatting leaves in a step's formula into nicer LaTeX:
// a blank after each \quad, sized parentheses, no superfluous ".0", merged signs, a
// multiplication dot, plain roman equation labels such as "II)" at the start, and a thin space
// before each \color. The fixed sequence of replacements is repeated until it changes nothing,
// so what one round leaves behind (the next ".0", a sign pair that a removal brought together)
// is taken up by the next.
//
// Only the first ".0" is looked at in a round, and it stays when a digit follows it, so
// "2.05 + 3.0 x" keeps its "3.0". The replacements never make a formula unreadable that was
// readable before: a parenthesis only gets \left or \right when it has a partner in the same
// group (a label further in, a lone bracket, or a pair split by braces or table cells stays
// plain), a parenthesis that already is the delimiter of \left or \right ("\left (") is not
// sized twice, the null delimiter "\left." keeps its full stop, and a removal never joins a
// command to the letter after it ("\pm 1x" becomes "\pm x", not "\pmx").
std::string cleanUpLatexString(const std::string& latexString);
