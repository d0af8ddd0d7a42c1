#pragma once
// The registry settings store: the raw value store the platform offers
// (RegistryBackend) and the program's four routines over it (ModReg).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace quorbel {

enum class RegRoot { CurrentUser, LocalMachine };

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

// A value exactly as stored: its type number and its bytes.
struct RegValue {
  uint32_t type = 0;
  std::string data;
  bool operator==(const RegValue&) const = default;
};

// The platform's registry (or a stand-in for it). Key paths and names are
// ANSI text; key paths use "\" and compare without regard to case.
class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;
  // Nothing when the key or value is missing or cannot be read.
  virtual std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                        std::string_view name) = 0;
  // Creates missing keys along the path. False when the write failed.
  virtual bool Set(RegRoot root, std::string_view key_path, std::string_view name,
                   const RegValue& value) = 0;
  // False when the key or value was missing or could not be deleted.
  virtual bool Delete(RegRoot root, std::string_view key_path, std::string_view name) = 0;
};

inline constexpr std::string_view kSettingsKey = "Software\\QuorbelClock";
inline constexpr std::string_view kMachineRunKey = "software\\microsoft\\windows\\currentversion\\run";
inline constexpr std::string_view kUserRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kAutostartValue = "Clock";

// The module every settings read and write goes through. Failures are
// silent: reads give 0 or empty text, writes have no effect.
class ModReg {
 public:
  // `admin_only_folders`: the folders where only administrators may change
  // files (Program Files, Windows); none where the platform has no such.
  explicit ModReg(RegistryBackend& backend, std::vector<Text> admin_only_folders = {})
      : backend_(backend), admin_only_folders_(std::move(admin_only_folders)) {}

  Text RegReadString(RegRoot root, std::string_view key_path, std::string_view name);
  void RegWriteString(RegRoot root, std::string_view key_path, std::string_view name, TextView text);
  int32_t RegReadLong(RegRoot root, std::string_view key_path, std::string_view name);
  void RegWriteLong(RegRoot root, std::string_view key_path, std::string_view name, int32_t value);
  // Whether anything is stored under the name, of whatever type.
  bool RegValueExists(RegRoot root, std::string_view key_path, std::string_view name) {
    return backend_.Query(root, key_path, name).has_value();
  }

  // The autostart entry "Clock" under the machine-wide Run key for an
  // executable in an admin-only folder: anywhere else one user could replace
  // what every user's log-on starts. Otherwise, or where the machine-wide key
  // is not writable, under the user's own Run key, unless the user's "Clock"
  // belongs to another program.
  void WriteAutostartEntry(TextView exe_path);
  // Removes the machine-wide entry, and the user's when it names `exe_path`.
  // True when no entry naming `exe_path` is left (a standard user cannot
  // delete the machine-wide one).
  bool DeleteAutostartEntry(TextView exe_path);

 private:
  bool EntryNames(RegRoot root, std::string_view run_key, TextView exe_path);
  bool UserEntryIsOursOrMissing(TextView exe_path);

  RegistryBackend& backend_;
  std::vector<Text> admin_only_folders_;
};

// The data of the autostart entry for an executable path: quoted when the
// path holds a space, so Windows cannot start a program named by a prefix.
Text AutostartCommand(TextView exe_path);

}  // namespace quorbel
