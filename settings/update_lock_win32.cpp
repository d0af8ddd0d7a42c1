#include "settings/update_lock.h"

namespace quorbel {

// The Windows program runs once in a session, keeps its settings in the
// registry (which takes concurrent writers in turn itself) and has no
// Config.ini of the user's: nothing to wait for.
struct UpdateLock::Held {};

UpdateLock::UpdateLock(const std::filesystem::path&) {}

UpdateLock::~UpdateLock() = default;

}  // namespace quorbel
