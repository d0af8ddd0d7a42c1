#pragma once
// The entry routine: one instance per user session. A second start hands a
// non-empty command line to the running instance and ends; a first start
// shows the panel, loads the hidden menu host and lives on window events.
#include <memory>

#include "common/text.h"

namespace quorbel {

// The single-instance test's answer. A lock that cannot be taken is no
// running instance: the program cannot tell, and says so.
enum class InstanceLock { kTaken, kHeldByAnother, kFailed };

// What the entry routine asks of the platform: the single-instance test, the
// link to the running instance, and the program's windows.
class EntryPlatform {
 public:
  virtual ~EntryPlatform() = default;
  // kTaken when this process is the first instance; on kFailed the platform
  // has told the user why.
  virtual InstanceLock TakeInstanceLock() = 0;
  // The arguments as one string; empty when there are none.
  virtual Text CommandLineArguments() = 0;
  // True when the command line only asks a running instance to end: a first
  // start with it has nothing to end and must not start the program.
  virtual bool OnlyEndsARunningInstance() = 0;
  // Sends the command line to the running instance; failures are ignored.
  virtual void ForwardCommandLine(const Text& arguments) = 0;
  // Creates the panel window and runs its initialization; false when the
  // window itself could not be made.
  virtual bool CreatePanel() = 0;
  virtual void ShowPanel() = 0;
  virtual void UnloadPanel() = 0;
  // The tray menu's host: created, moved out of sight, shown and hidden.
  virtual void LoadMenuHost() = 0;
  // Lives on window events until the last window is unloaded.
  virtual int RunEventLoop() = 0;
};

inline constexpr int kExitNoPanel = 1;
inline constexpr int kExitNoInstanceLock = 2;

// Runs the entry routine; the result is the process's exit code.
int RunEntryRoutine(EntryPlatform& platform);

}  // namespace quorbel
