#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/foundation/AppDataDirectory.hpp"

// A fresh folder under the system's temporary folder, removed again with the object.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "radixel-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder in " + name);
        path_ = name;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Points the application's data folder here.
    void useAsAppDataDirectory() const { foundation::setAppDataDirectory(path_); }

private:
    std::filesystem::path path_;
};
