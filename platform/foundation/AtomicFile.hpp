#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// Replaces file with contents so that a crash or kill at any moment leaves either the old or the
// new file: the bytes go to a temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the old one. Answers the reason when it failed; the old file is
// then untouched.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& file, std::string_view contents);

// The prefix of the temporary files writeFileAtomically leaves behind when killed mid-write; the
// rest of the name is the writer's pid, a dash and six random characters.
std::string temporaryFilePrefix(const std::filesystem::path& file);

// Removes such leftovers that no live process owns: those whose writer's pid is gone, and any
// untouched for an hour. Another process writing the same file at the same time keeps its own.
void removeTemporaryFiles(const std::filesystem::path& file);

// Reads a whole file; none when it cannot be opened or read (reason in error when given).
std::optional<std::string> readFileContents(const std::filesystem::path& file, std::string* error = nullptr);

}  // namespace foundation
