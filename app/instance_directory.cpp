#include "app/instance_directory.h"

namespace quorbel {
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kGroupAndOthers = 077;

// Why the directory cannot hold `uid`'s lock privately; empty when it can.
std::string PrivacyFault(const DirectoryFacts& facts, uint32_t uid) {
  if (!facts.exists) return "does not exist";
  if (facts.symbolic_link) return "is a symbolic link";
  if (!facts.directory) return "is not a directory";
  if (facts.owner != uid) return "belongs to another user";
  if ((facts.permissions & kGroupAndOthers) != 0) return "is open to other users";
  if (!facts.writable) return "is not writable";
  return "";
}

bool IsOwnDirectory(const DirectoryFacts& facts, uint32_t uid) {
  return facts.exists && !facts.symbolic_link && facts.directory && facts.owner == uid;
}

std::string RuntimeDirectoryFault(std::string_view runtime_dir_env, const fs::path& runtime_dir,
                                  DirectorySystem& system, uint32_t uid) {
  if (runtime_dir_env.empty()) return "XDG_RUNTIME_DIR is not set";
  if (!runtime_dir.is_absolute()) return "XDG_RUNTIME_DIR is not an absolute path";
  // The variable is the user's own choice: a link there is followed.
  const std::string fault = PrivacyFault(system.Inspect(runtime_dir, true), uid);
  return fault.empty() ? fault : "XDG_RUNTIME_DIR " + runtime_dir.string() + " " + fault;
}

// The fallback's name is known to every user, so another one may have made
// it first: it is used only when it is this user's own real directory.
std::string PrepareFallback(const fs::path& fallback, DirectorySystem& system, uint32_t uid) {
  DirectoryFacts facts = system.Inspect(fallback, false);
  if (!facts.exists) {
    system.MakePrivateDirectory(fallback);
    facts = system.Inspect(fallback, false);
  }
  if (IsOwnDirectory(facts, uid) && (facts.permissions & kGroupAndOthers) != 0) {
    system.RestrictToOwner(fallback);
    facts = system.Inspect(fallback, false);
  }
  return PrivacyFault(facts, uid);
}

}  // namespace

InstanceDirectory ChooseInstanceDirectory(std::string_view runtime_dir_env, const fs::path& temp_dir, uint32_t uid,
                                          DirectorySystem& system) {
  const fs::path runtime_dir(runtime_dir_env);
  const std::string runtime_fault = RuntimeDirectoryFault(runtime_dir_env, runtime_dir, system, uid);
  if (runtime_fault.empty()) return {runtime_dir, ""};
  const fs::path fallback = temp_dir / ("quorbel-clock-" + std::to_string(uid));
  const std::string fallback_fault = PrepareFallback(fallback, system, uid);
  if (!fallback_fault.empty()) {
    return {{}, runtime_fault + ", and " + fallback.string() + " is refused: it " + fallback_fault};
  }
  return {fallback, runtime_fault + "; using " + fallback.string()};
}

}  // namespace quorbel
