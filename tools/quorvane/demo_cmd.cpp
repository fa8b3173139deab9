#include "demo_cmd.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>

#include "demo_gen.h"
#include "output.h"
#include "platform/utf8.h"
#include "util/fileprobe.h"

namespace qrv::tool {

namespace {

struct DemoArgs {
  std::string dir;
  int32_t persons = 30;
  uint32_t seed = 1;
  std::string date;
};

TDateTime ParseDay(const std::string& text) {
  int y = 0, m = 0, d = 0;
  char rest = 0;
  TDateTime out = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &rest) != 3 ||
      !TryEncodeDate(y, m, d, &out)) {
    throw std::runtime_error("--date: no date of the form YYYY-MM-DD: " + text);
  }
  return out;
}

TDateTime Today() {
  return std::floor(platform::SystemPlatform().clock->Now());
}

// What a folder holds: every file and folder below it by its path relative to it (folders end
// in the separator), with size and last-write time.
struct FileState {
  int64_t size = 0;
  double lastWrite = 0;
};
using Contents = std::map<std::string, FileState>;

void Collect(platform::FileSystem& fs, const std::string& folder, const std::string& relative,
             Contents& contents) {
  std::vector<platform::FileInfo> found;
  if (fs.Find(folder + relative + "*", &found) != platform::kOk) return;
  for (const platform::FileInfo& f : found) {
    if (!f.directory) {
      contents[relative + f.name] = {f.size, f.lastWrite};
      continue;
    }
    const std::string sub = relative + f.name + platform::kPathSeparator;
    contents[sub] = {};
    Collect(fs, folder, sub, contents);
  }
}

Contents ContentsOf(const std::string& folder) {
  Contents contents;
  Collect(*platform::SystemPlatform().files, WithBackslash(folder), "", contents);
  return contents;
}

// Says on stderr what the demo changed in its folder, from what it held before and after.
void ReportChanges(const std::string& dir, const Contents& before, const Contents& after) {
  int added = 0, changed = 0, folders = 0;
  int64_t bytes = 0;
  for (const auto& [name, state] : after) {
    const auto old = before.find(name);
    if (name.back() == platform::kPathSeparator) {
      if (old == before.end()) ++folders;
      continue;
    }
    if (old == before.end()) {
      ++added;
    } else if (old->second.size != state.size || old->second.lastWrite != state.lastWrite) {
      ++changed;
    } else {
      continue;
    }
    bytes += state.size;
  }
  std::cerr << "quorvane: wrote " << dir << ": " << added << " new files, " << changed
            << " files changed, " << bytes << " bytes, " << folders << " new folders\n";
}

void Run(const DemoArgs& args) {
  DemoOptions o;
  o.persons = args.persons;
  o.seed = args.seed;
  o.today = args.date.empty() ? Today() : ParseDay(args.date);
  const std::string dir = platform::Utf8ToAnsi(args.dir);
  const Contents before = ContentsOf(dir);
  WriteDemo(dir, o);
  ReportChanges(args.dir, before, ContentsOf(dir));
  std::cerr << "quorvane: demo installation of " << o.persons << " persons, dated "
            << DateText(o.today) << ", in " << args.dir << "\n"
            << "quorvane: use it with --data " << args.dir
            << " or QUORVANE_REGISTRY_DIR=" << Utf8(DemoRegistryDir(platform::Utf8ToAnsi(args.dir)))
            << "\n";
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

void AddDemoCommand(CLI::App& app, const Options& /*options*/) {
  auto args = std::make_shared<DemoArgs>();
  CLI::App* cmd = app.add_subcommand("demo", "write a demo installation into a folder");
  cmd->add_option("DIR", args->dir, "the data folder to write (created when missing)")->required();
  cmd->add_option("--persons", args->persons, "number of persons (default 30)")
      ->check(CLI::Range(1, 9999));
  cmd->add_option("--seed", args->seed, "seed of the generated variety (default 1)");
  cmd->add_option("--date", args->date,
                  "the demo's date YYYY-MM-DD (default today): months run to the day before");
  cmd->callback([args] { Run(*args); });
}

}  // namespace qrv::tool
