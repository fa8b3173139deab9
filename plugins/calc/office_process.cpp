#include "office_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace qrv::calc {

namespace {

// The office asks its launcher to start it again after it set up a new profile.
constexpr int kOfficeRestart = 81;
constexpr int kGraceMs = 3000;

// Everything below runs in the forked watchdog of a possibly multi-threaded host: only
// async-signal-safe calls, on arguments prepared before the fork.
struct Launch {
  const char* office;
  std::vector<char*> office_argv;
  std::vector<char*> office_env;
  const char* rm;
  std::vector<char*> rm_argv;
};

void SleepMs(long ms) {
  struct timespec ts {
    ms / 1000, (ms % 1000) * 1000000L
  };
  nanosleep(&ts, nullptr);
}

void DefaultSignals() {
  struct sigaction sa {};
  sa.sa_handler = SIG_DFL;
  for (int s : {SIGINT, SIGQUIT, SIGHUP, SIGPIPE, SIGTERM, SIGCHLD}) sigaction(s, &sa, nullptr);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
}

pid_t StartOffice(const Launch& launch) {
  const pid_t watchdog = getpid();
  const pid_t pid = fork();
  if (pid != 0) return pid;
  setpgid(0, 0);
  // Should the watchdog itself be killed, the office goes with it.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != watchdog) _exit(1);
  DefaultSignals();
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
  }
  execve(launch.office, launch.office_argv.data(), launch.office_env.data());
  _exit(127);
}

void EndOffice(pid_t pid) {
  kill(-pid, SIGTERM);
  for (int waited = 0; waited < kGraceMs; waited += 50) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      kill(-pid, SIGKILL);  // whatever it left behind in its group
      return;
    }
    SleepMs(50);
  }
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// Watches the lifeline: when its last writer (the host) is gone, ends the office. Ends itself
// when the office ends on its own, unless the office asked to be started again.
[[noreturn]] void Watchdog(int lifeline, const Launch& launch) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  for (int s : {SIGINT, SIGQUIT, SIGHUP, SIGPIPE}) sigaction(s, &ignore, nullptr);
  pid_t office = StartOffice(launch);
  while (office > 0) {
    struct pollfd p {
      lifeline, POLLIN, 0
    };
    const int ready = poll(&p, 1, 200);
    if (ready > 0) {
      char byte;
      if (read(lifeline, &byte, 1) <= 0) {
        EndOffice(office);
        break;
      }
    }
    int status = 0;
    if (waitpid(office, &status, WNOHANG) == office) {
      kill(-office, SIGKILL);
      if (WIFEXITED(status) && WEXITSTATUS(status) == kOfficeRestart) {
        office = StartOffice(launch);
        continue;
      }
      break;
    }
  }
  execve(launch.rm, launch.rm_argv.data(), environ);
  _exit(0);
}

}  // namespace

OfficeProcess::OfficeProcess(const std::string& program_dir, const std::string& pipe_name) {
  char temp[] = "/tmp/quorvane-office-XXXXXX";
  if (mkdtemp(temp) == nullptr) throw std::runtime_error("no temporary profile folder");
  profile_dir_ = temp;
  const std::string office = program_dir + "/soffice.bin";
  if (access(office.c_str(), X_OK) != 0) {
    rmdir(temp);
    throw std::runtime_error(office + " is not there");
  }
  std::vector<std::string> args = {"soffice",
                                   "--headless",
                                   "--invisible",
                                   "--norestore",
                                   "--nologo",
                                   "--nodefault",
                                   "--nolockcheck",
                                   "-env:UserInstallation=file://" + profile_dir_,
                                   "--accept=pipe,name=" + pipe_name + ";urp;"};
  std::vector<std::string> rm_args = {"rm", "-rf", "--", profile_dir_};
  // The office formats numbers as the installations' German machines show them.
  std::vector<std::string> env = {"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "LC_", 3) != 0 && std::strncmp(*e, "LANG=", 5) != 0) env.emplace_back(*e);
  }
  Launch launch{office.c_str(), {}, {}, "/bin/rm", {}};
  for (auto& e : env) launch.office_env.push_back(e.data());
  launch.office_env.push_back(nullptr);
  for (auto& a : args) launch.office_argv.push_back(a.data());
  launch.office_argv.push_back(nullptr);
  for (auto& a : rm_args) launch.rm_argv.push_back(a.data());
  launch.rm_argv.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the office's watchdog");
  watchdog_ = fork();
  if (watchdog_ < 0) {
    close(fds[0]);
    close(fds[1]);
    throw std::runtime_error(std::string("cannot start the office: ") + std::strerror(errno));
  }
  if (watchdog_ == 0) {
    close(fds[1]);
    Watchdog(fds[0], launch);
  }
  close(fds[0]);
  lifeline_ = fds[1];
}

OfficeProcess::~OfficeProcess() {
  if (lifeline_ >= 0) close(lifeline_);
  // Reaped if it has ended already; otherwise it finishes on its own (and init reaps it).
  if (watchdog_ > 0) waitpid(watchdog_, nullptr, WNOHANG);
}

bool OfficeProcess::Running() const {
  return watchdog_ > 0 && waitpid(watchdog_, nullptr, WNOHANG) == 0;
}

}  // namespace qrv::calc
