// TIndexedFile: a whole-file record file (records MinRecord = 1 to HighRecord) with up to ten
// sort orders kept on disk beside it as index files (index.h). The indexes are loaded on the
// first read, rebuilt from the records when missing or inconsistent, kept current on every
// write, and reloaded whenever the data file's time shows that another process changed it.
// The derived class defines the orders in Compare.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "files/cached_file.h"
#include "files/index.h"

namespace qrv {

class TIndexedFile : public TCachedFile {
 public:
  static constexpr int kMaxIndexes = 10;
  // A long job; it receives the file.
  using Work = std::function<void(TIndexedFile&)>;
  using ExecuteEvent =
      std::function<void(const std::string& caption, int32_t low, const Work& work, int32_t high)>;
  using ProgressEvent = std::function<void(const std::string& caption, int32_t position)>;
  using DoneEvent = std::function<void()>;

  // directory ends in a separator; indexCount is 0 to 10.
  TIndexedFile(const platform::Platform& platform, const TKonfig& konfig,
               const std::string& directory, int32_t capacity, int32_t indexCount,
               const std::string& ext, const std::string& baseName);
  ~TIndexedFile() override;

  void ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void WriteRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void Invalidate(const std::string& fileName, bool rebuild) override;
  // Runs work as a long job (OnExecute, else at once).
  virtual void Execute(const std::string& caption, int32_t low, const Work& work, int32_t high);
  virtual void Progress(const std::string& caption, int32_t position);
  virtual void Done();
  // Negative when record sorts before key in order index, 0 when they are equal.
  virtual int16_t Compare(const void* record, const void* key, int32_t index);

  // Rebuilds every index from the records and saves the index files.
  void BuildIndexes();
  void RebuildWork(TIndexedFile& sender);

  ExecuteEvent OnExecute;
  ProgressEvent OnProgress;
  DoneEvent OnDone;
  int32_t IndexCount;
  std::array<std::unique_ptr<TIndex>, kMaxIndexes> Indexes;

 private:
  void RebuildFromRecords();
  void RepositionAll(const void* object, int32_t c);
  bool rebuildLocked_ = false;
  int32_t repositioning_ = 0;
  bool staleIndexes_ = false;
  bool indexesLoaded_ = false;
};

}  // namespace qrv
