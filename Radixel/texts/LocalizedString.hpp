#pragma once

#include <string>

// The texts that the math framework's step writers and several screens share, each looked up
// in the user's language on its first read and kept for the life of the process.
struct LocalizedString {
    LocalizedString() = delete;

    static const std::string& fillInYourGivenNumbers();
    static const std::string& yourInput();
    static const std::string& expand();
    static const std::string& modifiedInput();
    static const std::string& step();
    static const std::string& result();
    static const std::string& recommendedVideoIfUnclear();
    static const std::string& touchToUnlock();
    static const std::string& insert();
    static const std::string& calculate();
    static const std::string& bringToACommonDenominator();
    static const std::string& cancel();
    static const std::string& addition();
    static const std::string& subtraction();
    static const std::string& rate();
    static const std::string& send();
    static const std::string& close();
    static const std::string& thanks();
    static const std::string& error();
    static const std::string& cancelMath();
    static const std::string& extractARoot();
    static const std::string& square();
    static const std::string& quadraticEquation();
    static const std::string& radixelTitle();
    static const std::string& doubleFraction();
};
