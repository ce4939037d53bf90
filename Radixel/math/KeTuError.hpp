#pragma once

// Reserved for the calculators' own errors. Input errors do not travel as this type: they are
// key strings with the tag of the field at fault.
struct KeTuError {};
