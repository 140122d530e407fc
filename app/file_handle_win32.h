// Owns one open file handle and closes it once.
#pragma once
#include <windows.h>

#include <utility>

namespace tavrel {

class FileHandle {
 public:
  FileHandle() = default;
  // Takes what CreateFileW returned; its failure value is held as no file.
  explicit FileHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~FileHandle() { Close(); }
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // False when the system reported a failure on closing.
  bool Close() {
    if (!handle_) return true;
    const BOOL closed = CloseHandle(handle_);
    handle_ = nullptr;
    return closed != FALSE;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace tavrel
