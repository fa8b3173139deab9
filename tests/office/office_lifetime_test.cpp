// The office never outlives its host process: not when the host exits, nor when it is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Host {
  pid_t pid = -1;
  int input = -1;  // the host's standard input
  std::string said;
};

Host StartHost() {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) return {};
  Host host;
  host.pid = fork();
  if (host.pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[1]);
    close(out[0]);
    execl(QRV_OFFICE_HOST, QRV_OFFICE_HOST, QRV_PLUGIN_DIR, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  host.input = in[1];
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') host.said.push_back(c);
  close(out[0]);
  return host;
}

// The processes whose command line holds the host's office pipe name, and their profile folders.
std::vector<pid_t> OfficeOf(pid_t host, std::vector<std::string>* profiles = nullptr) {
  const std::string marker = "--accept=pipe,name=quorvane_" + std::to_string(host) + "_";
  const std::string profile = "-env:UserInstallation=file://";
  std::vector<pid_t> found;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream file(entry.path() / "cmdline");
    std::string all, arg;
    bool mine = false;
    std::string folder;
    while (std::getline(file, arg, '\0')) {
      if (arg.rfind(marker, 0) == 0) mine = true;
      if (arg.rfind(profile, 0) == 0) folder = arg.substr(profile.size());
    }
    if (!mine) continue;
    found.push_back(std::stoi(name));
    if (profiles != nullptr) profiles->push_back(folder);
  }
  return found;
}

bool OfficeGoneWithin(pid_t host, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!OfficeOf(host).empty()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

TEST(OfficeLifetimeTest, OfficeEndsWithItsHost) {
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "host killed" : "host exits");
    Host host = StartHost();
    ASSERT_GT(host.pid, 0);
    if (host.said.rfind("missing", 0) == 0) GTEST_SKIP() << host.said;
    ASSERT_EQ("ready", host.said);
    std::vector<std::string> profiles;
    ASSERT_FALSE(OfficeOf(host.pid, &profiles).empty());
    ASSERT_FALSE(profiles.front().empty());
    ASSERT_TRUE(fs::is_directory(profiles.front()));

    if (killed) kill(host.pid, SIGKILL);
    close(host.input);
    int status = 0;
    waitpid(host.pid, &status, 0);
    if (killed) {
      EXPECT_TRUE(WIFSIGNALED(status));
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_TRUE(OfficeGoneWithin(host.pid, std::chrono::seconds(20)));
    // The watchdog removes the private profile last, just after the office.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (fs::exists(profiles.front()) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(fs::exists(profiles.front()));
  }
}

}  // namespace
