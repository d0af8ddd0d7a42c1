#pragma once
// Whole-file reads and crash-safe whole-file writes for the settings files.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/text.h"

namespace quorbel {

std::filesystem::path PathFromText(TextView path);

// The file's bytes; nothing when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Whether a write may treat the file as empty: it is missing, not merely
// unreadable.
bool IsMissingFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so a crash mid-write leaves the old file whole. Creates missing
// parent directories. False, with the old file untouched, when the file is
// read-only or any step fails.
bool ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quorbel
