#pragma once
// The steps of a durable file replacement that differ between platforms
// (atomic_file_posix.cpp, atomic_file_win32.cpp).
#include <filesystem>
#include <string_view>

namespace quorbel {

// This process's number, which sets its temporary files apart from another
// copy's.
unsigned long CurrentProcessId();

// Creates `path`, which must not exist yet, for the user alone, writes the
// bytes and flushes them to the disk. False, with nothing created, when any
// step fails.
bool WriteNewFileDurably(const std::filesystem::path& path, std::string_view bytes);

// Creates the directory, its parent being there, for the user alone.
void CreatePrivateDirectory(const std::filesystem::path& path);

// Gives `to` the access rights and attributes of `from` (read-only refused
// earlier, hidden, system and the like).
bool CopyFileAttributes(const std::filesystem::path& from, const std::filesystem::path& to);

// Renames `from` over `to` and makes the rename itself reach the disk.
bool RenameDurably(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace quorbel
