#pragma once
// The registry settings store: the raw value store the platform offers
// (RegistryBackend) and the program's four routines over it (ModReg).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "settings/autostart.h"

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

// The platform's registry (or a stand-in for it). Key paths, names and string
// data are registry text (reg_text.h); key paths use "\" and compare without
// regard to case.
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
  // Reads between the two may take a file as the first of them found it
  // (see SettingsOperation).
  virtual void BeginOperation() {}
  virtual void EndOperation() {}
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
  // files (Program Files); none where the platform has no such.
  // `program_file_name`: the executable's file name in every copy of the
  // program, so an entry naming another copy counts as this program's.
  explicit ModReg(RegistryBackend& backend, std::vector<Text> admin_only_folders = {},
                  Text program_file_name = {})
      : backend_(backend),
        admin_only_folders_(std::move(admin_only_folders)),
        program_file_name_(std::move(program_file_name)) {}

  Text RegReadString(RegRoot root, std::string_view key_path, std::string_view name);
  void RegWriteString(RegRoot root, std::string_view key_path, std::string_view name, TextView text);
  int32_t RegReadLong(RegRoot root, std::string_view key_path, std::string_view name);
  void RegWriteLong(RegRoot root, std::string_view key_path, std::string_view name, int32_t value);
  // Whether anything is stored under the name, of whatever type.
  bool RegValueExists(RegRoot root, std::string_view key_path, std::string_view name) {
    return backend_.Query(root, key_path, name).has_value();
  }

  void BeginOperation() { backend_.BeginOperation(); }
  void EndOperation() { backend_.EndOperation(); }

  // The autostart entry "Clock" under the machine-wide Run key for an
  // executable in an admin-only folder: anywhere else one user could replace
  // what every user's log-on starts; the user's entry of this program then
  // goes, so one log-on starts one copy. Otherwise, or where the machine-wide
  // key is not writable, under the user's own Run key, unless the user's
  // "Clock" belongs to another program.
  void WriteAutostartEntry(TextView exe_path);
  // Removes the machine-wide entry, and the user's when it is this
  // program's. True when no entry of this program is left (a standard user
  // cannot delete the machine-wide one).
  bool DeleteAutostartEntry(TextView exe_path);
  // While "Autorun" is 1, an entry that another copy of the program left
  // (one this executable may replace) is written anew for `exe_path`, so the
  // copy started last is the one the next log-on starts.
  void FollowAutostartEntry(TextView exe_path);

 private:
  // Nothing when the entry is missing.
  std::optional<EntryOwner> OwnerOf(RegRoot root, std::string_view run_key, TextView exe_path);
  bool HasEntryOfOurs(RegRoot root, std::string_view run_key, TextView exe_path);

  RegistryBackend& backend_;
  std::vector<Text> admin_only_folders_;
  Text program_file_name_;
};

// The data of the autostart entry for an executable path: quoted when the
// path holds a space, so Windows cannot start a program named by a prefix.
Text AutostartCommand(TextView exe_path);

}  // namespace quorbel
