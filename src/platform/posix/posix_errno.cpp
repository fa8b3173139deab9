#include "platform/posix/posix_errno.h"

#include <errno.h>
#include <sys/stat.h>

namespace qrv::platform {

namespace {

constexpr OsError kNotSameDevice = 17;
constexpr OsError kFilenameTooLong = 206;

bool FolderExists(const std::string& nativePath) {
  const size_t slash = nativePath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : nativePath.substr(0, slash);
  struct stat st {};
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

OsError OsErrorFromErrno(int err, IoDirection direction, const std::string& nativePath) {
  switch (err) {
    case 0:
      return kOk;
    case ENOENT:
      return FolderExists(nativePath) ? kFileNotFound : kPathNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return kAccessDenied;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kDiskFull;
    case EEXIST:
      return kFileExists;
    case ENAMETOOLONG:
      return kFilenameTooLong;
    case EBUSY:
    case ETXTBSY:
      return kSharingViolation;
    case EAGAIN:
      return kLockViolation;
    case ENOMEM:
      return kNotEnoughMemory;
    case EBADF:
      return kInvalidHandle;
    case EINVAL:
      return kInvalidParameter;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case ELOOP:
      return kInvalidName;
    case EXDEV:
      return kNotSameDevice;
    default:
      return direction == IoDirection::kRead ? kReadFault : kWriteFault;
  }
}

}  // namespace qrv::platform
