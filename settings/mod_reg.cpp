#include <cstring>

#include "settings/autostart.h"
#include "settings/reg_text.h"
#include "settings/registry.h"
#include "settings/settings_operation.h"

namespace quorbel {

Text ModReg::RegReadString(RegRoot root, std::string_view key_path, std::string_view name) {
  const auto value = backend_.Query(root, key_path, name);
  if (!value || value->type != kRegSz) return {};
  // Text written by other tools may carry a terminating zero; ours has none.
  const std::string& data = value->data;
  return FromRegText(std::string_view(data).substr(0, data.find('\0')));
}

void ModReg::RegWriteString(RegRoot root, std::string_view key_path, std::string_view name,
                            TextView text) {
  backend_.Set(root, key_path, name, RegValue{kRegSz, ToRegText(text)});
}

int32_t ModReg::RegReadLong(RegRoot root, std::string_view key_path, std::string_view name) {
  const auto value = backend_.Query(root, key_path, name);
  // A value longer than four bytes does not fit the 4-byte buffer the read
  // offers, so it fails; a shorter one fills only its own bytes of a zeroed one.
  if (!value || value->type != kRegDword || value->data.size() > 4) return 0;
  uint32_t bits = 0;
  for (size_t i = 0; i < value->data.size(); ++i) {
    bits |= static_cast<uint32_t>(static_cast<unsigned char>(value->data[i])) << (8 * i);
  }
  return static_cast<int32_t>(bits);
}

void ModReg::RegWriteLong(RegRoot root, std::string_view key_path, std::string_view name,
                          int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  std::string data(4, '\0');
  for (size_t i = 0; i < 4; ++i) data[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  backend_.Set(root, key_path, name, RegValue{kRegDword, data});
}

void ModReg::WriteAutostartEntry(TextView exe_path) {
  const RegValue entry{kRegSz, ToRegText(AutostartCommand(exe_path))};
  if (LiesUnderFolder(exe_path, admin_only_folders_) &&
      backend_.Set(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue, entry)) {
    if (HasEntryOfOurs(RegRoot::CurrentUser, kUserRunKey, exe_path)) {
      backend_.Delete(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
    }
    return;
  }
  // The user's own Run key starts the program at log-on just the same, for
  // this user only. "Clock" is a common name; another program's entry stays.
  if (OwnerOf(RegRoot::CurrentUser, kUserRunKey, exe_path) == EntryOwner::OtherProgram) return;
  backend_.Set(RegRoot::CurrentUser, kUserRunKey, kAutostartValue, entry);
}

bool ModReg::DeleteAutostartEntry(TextView exe_path) {
  backend_.Delete(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue);
  if (HasEntryOfOurs(RegRoot::CurrentUser, kUserRunKey, exe_path)) {
    backend_.Delete(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  }
  return !HasEntryOfOurs(RegRoot::LocalMachine, kMachineRunKey, exe_path) &&
         !HasEntryOfOurs(RegRoot::CurrentUser, kUserRunKey, exe_path);
}

void ModReg::FollowAutostartEntry(TextView exe_path) {
  const SettingsOperation operation(*this);
  if (RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Autorun") != 1) return;
  // Only an executable that may write the machine-wide entry moves it: a
  // copy elsewhere must not take every user's log-on.
  const bool machine_moves = LiesUnderFolder(exe_path, admin_only_folders_) &&
                             OwnerOf(RegRoot::LocalMachine, kMachineRunKey, exe_path) ==
                                 EntryOwner::OtherCopy;
  if (machine_moves ||
      OwnerOf(RegRoot::CurrentUser, kUserRunKey, exe_path) == EntryOwner::OtherCopy) {
    WriteAutostartEntry(exe_path);
  }
}

std::optional<EntryOwner> ModReg::OwnerOf(RegRoot root, std::string_view run_key,
                                          TextView exe_path) {
  const auto value = backend_.Query(root, run_key, kAutostartValue);
  if (!value) return std::nullopt;
  // Only string data names a program this one wrote.
  if (value->type != kRegSz) return EntryOwner::OtherProgram;
  return OwnerOfEntry(RegReadString(root, run_key, kAutostartValue), exe_path, program_file_name_);
}

bool ModReg::HasEntryOfOurs(RegRoot root, std::string_view run_key, TextView exe_path) {
  const auto owner = OwnerOf(root, run_key, exe_path);
  return owner && *owner != EntryOwner::OtherProgram;
}

Text AutostartCommand(TextView exe_path) {
  Text command(exe_path);
  if (command.find(u' ') == Text::npos) return command;
  command.insert(command.begin(), u'"');
  command.push_back(u'"');
  return command;
}

}  // namespace quorbel
