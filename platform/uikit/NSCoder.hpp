#pragma once

#include <string>

// What an interface file hands to the controllers and views it creates (their initWithCoder:
// constructors): which file and scene they come from. Outlets are connected by the file's
// builder after construction, before awakeFromNib.
class NSCoder {
public:
    NSCoder(std::string fileName, std::string identifier) : fileName_(std::move(fileName)), identifier_(std::move(identifier)) {}

    const std::string& fileName() const { return fileName_; }
    const std::string& identifier() const { return identifier_; }

private:
    std::string fileName_;
    std::string identifier_;
};
