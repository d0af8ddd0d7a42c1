#include "app/forwarded_command.h"

namespace quorbel {

ForwardedCommand ParseForwardedCommand(std::string_view message) {
  if (message == kSettingsArgument) return ForwardedCommand::kSettings;
  if (message == kExitArgument) return ForwardedCommand::kExit;
  return ForwardedCommand::kNone;
}

}  // namespace quorbel
