#pragma once
// The link "QuorbelClock|Form1" between a second instance and the running one.
#include <memory>

#include "common/text.h"

namespace quorbel {

inline constexpr char kLinkApplication[] = "QuorbelClock";
inline constexpr char kLinkTopic[] = "Form1";

// The running instance's end: answers conversations on the topic and drops
// every execute command (the program takes no command-line options).
class LinkServer {
 public:
  static std::unique_ptr<LinkServer> Start();
  virtual ~LinkServer() = default;
};

// Sends `command` as one execute command and returns; every failure (no
// server, no answer within the time-out, a refusal) is ignored.
void ForwardCommandLine(TextView command);

}  // namespace quorbel
