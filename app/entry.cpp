#include "app/entry.h"

namespace quorbel {

namespace {

int RunSecondInstance(EntryPlatform& platform) {
  // The panel window's initialization runs in a second instance too; it is
  // never shown.
  const bool created = platform.CreatePanel();
  const Text arguments = platform.CommandLineArguments();
  if (!arguments.empty()) platform.ForwardCommandLine(arguments);
  if (created) platform.UnloadPanel();
  return 0;
}

int RunFirstInstance(EntryPlatform& platform) {
  if (platform.OnlyEndsARunningInstance()) return 0;
  // Without its window the program has no panel and no tray icon: nothing
  // the user could see or end. Ending here gives the instance lock back, so
  // the next start is a first instance again.
  if (!platform.CreatePanel()) return kExitNoPanel;
  platform.ShowPanel();
  platform.LoadMenuHost();
  return platform.RunEventLoop();
}

}  // namespace

int RunEntryRoutine(EntryPlatform& platform) {
  switch (platform.TakeInstanceLock()) {
    case InstanceLock::kTaken:
      return RunFirstInstance(platform);
    case InstanceLock::kHeldByAnother:
      return RunSecondInstance(platform);
    case InstanceLock::kFailed:
      break;
  }
  // Running unlocked would let every later start run as a first instance
  // too; ending silently would look like a second instance.
  return kExitNoInstanceLock;
}

}  // namespace quorbel
