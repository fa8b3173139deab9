#include "demo_cmd.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "args.h"
#include "commands.h"
#include "demo/demo_gen.h"
#include "output/format.h"
#include "output/write_report.h"
#include "platform/utf8.h"
#include "util/fileprobe.h"

namespace qrv::tool {

namespace {

struct DemoArgs {
  std::string dir;
  int32_t persons = 30;
  uint32_t seed = 1;
  TDateTime date = 0;  // 0: today
};

TDateTime Today() {
  return std::floor(platform::SystemPlatform().clock->Now());
}

void Run(const DemoArgs& args, std::ostream& err) {
  DemoOptions o;
  o.persons = args.persons;
  o.seed = args.seed;
  o.today = args.date == 0 ? Today() : args.date;
  const std::string dir = platform::Utf8ToAnsi(args.dir);
  const FolderContents before = FolderContentsOf(dir);
  WriteDemo(dir, o);
  ReportWrites(err, args.dir, before, FolderContentsOf(dir));
  err << "quorvane: demo installation of " << o.persons << " persons, dated " << DateText(o.today)
      << ", in " << args.dir << "\n"
      << "quorvane: use it with --data " << args.dir
      << " or QUORVANE_REGISTRY_DIR=" << Utf8(DemoRegistryDir(dir)) << "\n";
}

std::string CacheFolder() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg != nullptr && *xdg == '/') return std::string(xdg) + "/quorvane";
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == 0) throw std::runtime_error("no HOME for the demo installation");
  return std::string(home) + "/.cache/quorvane";
}

bool Exists(const std::string& path) {
  std::vector<platform::FileInfo> found;
  return platform::SystemPlatform().files->Find(path, &found) == platform::kOk && !found.empty();
}

}  // namespace

bool InstallationConfigured(platform::Registry& registry) {
  for (auto root : {platform::RegRoot::kCurrentUser, platform::RegRoot::kLocalMachine}) {
    platform::RegValue v;
    if (registry.QueryValue(root, "Software\\Quorvane\\Installation", "DataPath", &v) ==
            platform::kOk &&
        v.data.size() > 1) {
      return true;
    }
  }
  return false;
}

std::string BuiltInDemo(double now) {
  const std::string folder = platform::Utf8ToAnsi(CacheFolder());
  const std::string dir = folder + "/demo";
  // Written last: a folder without it is an interrupted run and is made again.
  const std::string stamp = folder + "/demo.fertig";
  if (!Exists(stamp)) {
    std::cerr << "quorvane: no installation configured; making the built-in demo installation in "
              << Utf8(dir) << "\n";
    DemoOptions o;
    o.today = std::floor(now);
    WriteDemo(dir, o);
    std::unique_ptr<platform::File> f;
    if (platform::SystemPlatform().files->Open(stamp, platform::OpenMode::kCreate, &f) ==
        platform::kOk) {
      const std::string text = DateText(o.today) + "\n";
      f->WriteAt(0, text.data(), text.size());
      f->Close();
    }
  }
  std::cerr << "quorvane: no installation configured; using the built-in demo installation in "
            << Utf8(dir) << "\n";
  return dir;
}

void AddDemoCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<DemoArgs>();
  CLI::App* cmd = app.add_subcommand("demo", "write a demo installation into a folder");
  cmd->add_option("DIR", args->dir, "the data folder to write (created when missing)")->required();
  cmd->add_option("--persons", args->persons, "the number of persons (1 to 9999; default 30)")
      ->check(CLI::Range(kPersonMin, kPersonMax));
  cmd->add_option("--seed", args->seed, "seed of the generated variety (default 1)");
  AddDateOption(*cmd, args->date, "the demo's date (default today): months run to the day before");
  cmd->callback([&s, args] { Run(*args, *s.err); });
}

}  // namespace qrv::tool
