#include "tool.h"

#include "commands/demo_cmd.h"
#include "data_override.h"
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

}  // namespace

Installation::Installation(const Options& options, Access access, Host host) {
  platform::Platform p = platform::SystemPlatform();
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

}  // namespace qrv::tool
