#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A folder of its own for a fuzz target that needs files, made once per process under the
// system's temporary folder and removed again at exit.
inline const std::filesystem::path& fuzzScratchFolder() {
    struct Folder {
        Folder() {
            std::string pattern = (std::filesystem::temp_directory_path() / "radixel-fuzz-XXXXXX").string();
            std::vector<char> name(pattern.begin(), pattern.end());
            name.push_back('\0');
            if (!::mkdtemp(name.data())) std::abort();
            path = name.data();
        }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
        std::filesystem::path path;
    };
    static Folder folder;
    return folder.path;
}

// Removes everything in the folder, so files set aside by one input do not pile up.
inline void emptyFuzzScratchFolder() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(fuzzScratchFolder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}

// Writes the input as the file name in the scratch folder and answers its path.
inline std::filesystem::path writeFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
    std::filesystem::path file = fuzzScratchFolder() / name;
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    return file;
}
