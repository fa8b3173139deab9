#include "support/faulty_files.h"

#include "platform/platform.h"

namespace qrv::testing {

using platform::OsError;

namespace {

struct Fault {
  int at = 0;  // 0: none
  OsError code = platform::kOk;
  bool persistent = false;

  OsError Check(int count) const {
    if (at == 0 || count < at || (count > at && !persistent)) return platform::kOk;
    return code;
  }
};

}  // namespace

struct FaultyFileSystem::State {
  int operations = 0;
  int writes = 0;
  int injected = 0;
  int openFiles = 0;
  Fault operationFault;
  Fault writeFault;
  int shortWriteAt = 0;

  OsError NextOperation() {
    const OsError err = operationFault.Check(++operations);
    if (err != platform::kOk) ++injected;
    return err;
  }

  // Counts a write; answers its injected failure, or sets *shortWrite.
  OsError NextWrite(bool* shortWrite) {
    ++writes;
    *shortWrite = false;
    if (OsError err = writeFault.Check(writes)) {
      ++injected;
      return err;
    }
    if (writes == shortWriteAt) {
      ++injected;
      *shortWrite = true;
    }
    return platform::kOk;
  }
};

namespace {

class FaultyFile final : public platform::File {
 public:
  FaultyFile(std::unique_ptr<platform::File> inner, std::shared_ptr<FaultyFileSystem::State> state)
      : inner_(std::move(inner)), state_(std::move(state)) {
    ++state_->openFiles;
  }
  ~FaultyFile() override { MarkClosed(); }

  OsError ReadAt(int64_t offset, void* buffer, size_t n, size_t* got) override {
    *got = 0;
    if (OsError err = state_->NextOperation()) return err;
    return inner_->ReadAt(offset, buffer, n, got);
  }

  OsError WriteAt(int64_t offset, const void* buffer, size_t n) override {
    if (OsError err = state_->NextOperation()) return err;
    bool shortWrite = false;
    if (OsError err = state_->NextWrite(&shortWrite)) return err;
    if (!shortWrite) return inner_->WriteAt(offset, buffer, n);
    if (n / 2 > 0) inner_->WriteAt(offset, buffer, n / 2);
    return platform::kDiskFull;
  }

  OsError Size(int64_t* size) override {
    if (OsError err = state_->NextOperation()) return err;
    return inner_->Size(size);
  }

  OsError Truncate(int64_t size) override {
    if (OsError err = state_->NextOperation()) return err;
    return inner_->Truncate(size);
  }

  OsError Close() override {
    const OsError injected = state_->NextOperation();
    const OsError err = inner_->Close();
    MarkClosed();
    return injected != platform::kOk ? injected : err;
  }

 private:
  void MarkClosed() {
    if (open_) --state_->openFiles;
    open_ = false;
  }

  std::unique_ptr<platform::File> inner_;
  std::shared_ptr<FaultyFileSystem::State> state_;
  bool open_ = true;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem() : FaultyFileSystem(*platform::SystemPlatform().files) {}

FaultyFileSystem::FaultyFileSystem(platform::FileSystem& inner)
    : FileSystemWrapper(inner), state_(std::make_shared<State>()) {}

FaultyFileSystem::~FaultyFileSystem() = default;

void FaultyFileSystem::FailOperation(int n, OsError code, bool persistent) {
  state_->operationFault = Fault{state_->operations + n, code, persistent};
}

void FaultyFileSystem::FailWrite(int n, OsError code, bool persistent) {
  state_->writeFault = Fault{state_->writes + n, code, persistent};
}

void FaultyFileSystem::ShortWrite(int n) {
  state_->shortWriteAt = state_->writes + n;
}

void FaultyFileSystem::ClearFaults() {
  state_->operationFault = Fault{};
  state_->writeFault = Fault{};
  state_->shortWriteAt = 0;
}

int FaultyFileSystem::Operations() const {
  return state_->operations;
}
int FaultyFileSystem::Writes() const {
  return state_->writes;
}
int FaultyFileSystem::InjectedFaults() const {
  return state_->injected;
}
int FaultyFileSystem::OpenFiles() const {
  return state_->openFiles;
}

OsError FaultyFileSystem::Open(const std::string& path, platform::OpenMode mode,
                               std::unique_ptr<platform::File>* out) {
  out->reset();
  if (OsError err = state_->NextOperation()) return err;
  std::unique_ptr<platform::File> file;
  const OsError err = Target().Open(path, mode, &file);
  if (err == platform::kOk) *out = std::make_unique<FaultyFile>(std::move(file), state_);
  return err;
}

OsError FaultyFileSystem::Find(const std::string& pattern, std::vector<platform::FileInfo>* out) {
  out->clear();
  if (OsError err = state_->NextOperation()) return err;
  return Target().Find(pattern, out);
}

OsError FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  if (OsError err = state_->NextOperation()) return err;
  return Target().Rename(from, to);
}

OsError FaultyFileSystem::Remove(const std::string& path) {
  if (OsError err = state_->NextOperation()) return err;
  return Target().Remove(path);
}

OsError FaultyFileSystem::CreateFolders(const std::string& path) {
  if (OsError err = state_->NextOperation()) return err;
  return Target().CreateFolders(path);
}

}  // namespace qrv::testing
