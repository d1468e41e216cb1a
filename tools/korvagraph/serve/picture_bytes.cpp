#include "tools/korvagraph/serve/picture_bytes.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace korvagraph {

namespace {

// A temporary file that exists for the life of this object.
class TempFile {
 public:
  TempFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvagraph-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) {
      close(fd);
      path_ = pattern;
    }
  }
  ~TempFile() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

bool PictureBytes(const SavePicture& save, std::string* bytes) {
  TempFile file;
  if (file.path().empty() || !save(file.path())) return false;
  std::ifstream in(file.path(), std::ios::binary);
  bytes->assign(std::istreambuf_iterator<char>(in),
                std::istreambuf_iterator<char>());
  return !bytes->empty();
}

}  // namespace korvagraph
