#pragma once
// Crash-safe whole-file writes for the settings files.
#include <filesystem>
#include <string>
#include <string_view>

#include "common/text.h"

namespace quorbel {

std::filesystem::path PathFromText(TextView path);

// Whether a write may treat the file as empty: it is missing, not merely
// unreadable.
bool IsMissingFile(const std::filesystem::path& path);

// Writes the bytes to a new temporary file beside `path`, flushes them to the
// disk and renames the file over `path`, so neither a crash nor a power cut
// leaves it cut short or empty. The new file keeps the old one's access
// rights and attributes; a file or directory made here is the user's alone,
// whatever the umask. A symbolic link at `path` stays a link: the file it
// points to is replaced. Creates missing parent directories. False, with the
// old file untouched and no temporary file left, when `path` is not a full
// path, the file is read-only or any step fails.
bool ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Makes the directory and its missing parents. Directories the program makes
// hold the user's settings: they are the user's alone, whatever the umask.
void CreatePrivateDirectories(const std::filesystem::path& directory);

}  // namespace quorbel
