#pragma once

// Members of the calculator family that hold no state of their own.
class KeTuCalculation {};
class KeTuFormulaCheck {};
class KeTuDigitAnalyser {};
