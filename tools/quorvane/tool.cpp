#include "tool.h"

#include <stdexcept>
#include <string>

#include "commands/demo_cmd.h"
#include "data_override.h"
#include "master/person.h"
#include "platform/read_only.h"
#include "platform/utf8.h"

namespace qrv::tool {

namespace {

// The system's host, answering that it runs the interactive application's main window.
class MainWindowHost final : public platform::HostProcess {
 public:
  explicit MainWindowHost(platform::HostProcess& system) : system_(system) {}
  std::string ExecutablePath() override { return system_.ExecutablePath(); }
  std::string FirstParameter() override { return system_.FirstParameter(); }
  bool RunsMainWindow() override { return true; }

 private:
  platform::HostProcess& system_;
};

// The system's clock with its date-time pinned; the ticks run on, so that the caches still see
// the files change.
class PinnedClock final : public platform::Clock {
 public:
  PinnedClock(platform::Clock& system, double now) : system_(system), now_(now) {}
  double Now() override { return now_; }
  uint32_t Ticks() override { return system_.Ticks(); }

 private:
  platform::Clock& system_;
  double now_;
};

}  // namespace

Installation::Installation(const Options& options, Access access, Host host) {
  platform::Platform p = platform::SystemPlatform();
  if (options.now != 0) {
    clock_ = std::make_unique<PinnedClock>(*p.clock, options.now);
    p.clock = clock_.get();
  }
  std::string data = platform::Utf8ToAnsi(options.data);
  // With no installation anywhere, the commands still have something to show.
  if (data.empty() && !InstallationConfigured(*p.registry)) data = BuiltInDemo(p.clock->Now());
  if (access == Access::kReadOnly) {
    files_ = std::make_unique<platform::ReadOnlyFileSystem>(*p.files);
    readOnly_ = std::make_unique<platform::ReadOnlyRegistry>(*p.registry);
    p.files = files_.get();
    p.registry = readOnly_.get();
  }
  if (host == Host::kMainWindow) {
    host_ = std::make_unique<MainWindowHost>(*p.host);
    p.host = host_.get();
  }
  if (!data.empty()) {
    override_ = std::make_unique<DataPathOverride>(*p.registry, data);
    p.registry = override_.get();
  }
  lib_ = std::make_unique<TBibliothek>(p);
}

void LadePerson(TPerson& person, int32_t persNr) {
  person.Load(persNr);
  if (!person.Rec.Belegt) {
    throw std::runtime_error("no person " + std::to_string(persNr) + " in the installation");
  }
}

}  // namespace qrv::tool
