#include "app/dde_link_win32.h"

#include <windows.h>
#include <ddeml.h>

#include <memory>
#include <string>
#include <thread>

#include "common/ansi.h"
#include "common/handles_win32.h"

namespace quorbel {
namespace {

// A second instance must end even when the running one does not answer.
constexpr DWORD kExecuteTimeoutMs = 3000;
// Opening a conversation sends to every top-level window and waits for each
// to answer, with no time limit: a running instance that hangs would hold the
// second one for ever. So the conversation runs on a thread of its own, and
// the second instance waits for it only this long.
constexpr DWORD kForwardTimeoutMs = kExecuteTimeoutMs + 2000;

class DdeInstance {
 public:
  DdeInstance(PFNCALLBACK callback, DWORD flags) {
    if (DdeInitializeA(&id_, callback, flags, 0) != DMLERR_NO_ERROR) id_ = 0;
  }
  DdeInstance(const DdeInstance&) = delete;
  DdeInstance& operator=(const DdeInstance&) = delete;
  ~DdeInstance() {
    if (id_ != 0) DdeUninitialize(id_);
  }
  DWORD id() const { return id_; }

 private:
  DWORD id_ = 0;
};

class DdeName {
 public:
  DdeName(DWORD instance, const char* text)
      : instance_(instance), handle_(instance ? DdeCreateStringHandleA(instance, text, CP_WINANSI) : nullptr) {}
  DdeName(const DdeName&) = delete;
  DdeName& operator=(const DdeName&) = delete;
  ~DdeName() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  HSZ get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

class DdemlLinkServer;
DdemlLinkServer* g_server = nullptr;  // DDEML callbacks carry no context

class DdemlLinkServer : public LinkServer {
 public:
  DdemlLinkServer()
      : instance_(&Callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                                 CBF_FAIL_REQUESTS | CBF_SKIP_REGISTRATIONS |
                                 CBF_SKIP_UNREGISTRATIONS),
        service_(instance_.id(), kLinkApplication),
        topic_(instance_.id(), kLinkTopic) {
    g_server = this;
    if (service_.get()) DdeNameService(instance_.id(), service_.get(), nullptr, DNS_REGISTER);
  }
  ~DdemlLinkServer() override {
    if (service_.get()) DdeNameService(instance_.id(), service_.get(), nullptr, DNS_UNREGISTER);
    g_server = nullptr;
  }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ service, HDDEDATA,
                                    ULONG_PTR, ULONG_PTR) {
    if (!g_server) return nullptr;
    switch (type) {
      case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(
            DdeCmpStringHandles(topic, g_server->topic_.get()) == 0 &&
            DdeCmpStringHandles(service, g_server->service_.get()) == 0));
      case XTYP_EXECUTE:
        // Answered but not acted on: there are no command-line options.
        return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(DDE_FNOTPROCESSED));
      default:
        return nullptr;
    }
  }

  DdeInstance instance_;
  DdeName service_;
  DdeName topic_;
};

void SendExecute(std::string bytes) {
  DdeInstance instance(&ClientCallback, APPCMD_CLIENTONLY);
  if (instance.id() == 0) return;
  DdeName service(instance.id(), kLinkApplication);
  DdeName topic(instance.id(), kLinkTopic);
  const HCONV conversation = DdeConnect(instance.id(), service.get(), topic.get(), nullptr);
  if (!conversation) return;
  DdeClientTransaction(reinterpret_cast<LPBYTE>(bytes.data()), static_cast<DWORD>(bytes.size() + 1),
                       conversation, nullptr, 0, XTYP_EXECUTE, kExecuteTimeoutMs, nullptr);
  DdeDisconnect(conversation);
}

// Waits for `event` up to `timeout_ms`, answering meanwhile the messages sent
// to this thread's windows: the conversation's opening reaches them too.
void WaitAnsweringMessages(HANDLE event, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeout_ms) return;
    const DWORD woke = MsgWaitForMultipleObjects(1, &event, FALSE, timeout_ms - elapsed, QS_ALLINPUT);
    if (woke != WAIT_OBJECT_0 + 1) return;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

// What the forwarding thread owns: it may outlive the call that started it.
struct ForwardJob {
  std::string bytes;
  unique_handle done;
};

}  // namespace

std::unique_ptr<LinkServer> LinkServer::Start() { return std::make_unique<DdemlLinkServer>(); }

void ForwardCommandLine(TextView command) {
  auto job = std::make_shared<ForwardJob>();
  job->bytes = ToAnsi(command);
  job->done.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!job->done) return;
  // Left running if it hangs; the process ends with it.
  std::thread([job] {
    SendExecute(job->bytes);
    SetEvent(job->done.get());
  }).detach();
  WaitAnsweringMessages(job->done.get(), kForwardTimeoutMs);
}

}  // namespace quorbel
