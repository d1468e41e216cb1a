#include "tools/korvagraph/serve/picture_bytes.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace korvagraph {

namespace {

// A temporary file without a name: unlinked as soon as it is made and
// reached through /proc/self/fd while open, so that no exit, however
// abrupt, leaves it behind.
class UnnamedFile {
 public:
  UnnamedFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvagraph-XXXXXX").string();
    fd_ = mkstemp(pattern.data());
    if (fd_ >= 0) unlink(pattern.c_str());
  }
  ~UnnamedFile() {
    if (fd_ >= 0) close(fd_);
  }
  UnnamedFile(const UnnamedFile&) = delete;
  UnnamedFile& operator=(const UnnamedFile&) = delete;

  int fd() const { return fd_; }
  // A path that opens this file, for as long as the object lives.
  std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_ = -1;
};

}  // namespace

bool PictureBytes(const SavePicture& save, std::string* bytes) {
  UnnamedFile file;
  struct stat info {};
  if (file.fd() < 0 || !save(file.path()) || fstat(file.fd(), &info) != 0) {
    return false;
  }
  // Read at once into a string of the file's size: the writer's offset is
  // its own, this descriptor's is still at the start.
  bytes->resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  while (done < bytes->size()) {
    const ssize_t count = pread(file.fd(), bytes->data() + done,
                                bytes->size() - done, static_cast<off_t>(done));
    if (count <= 0) return false;
    done += static_cast<size_t>(count);
  }
  return !bytes->empty();
}

}  // namespace korvagraph
