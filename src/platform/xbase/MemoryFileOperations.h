#pragma once
// Files kept in memory behind the FileOperations interface, for fuzzing and randomized tests that
// open thousands of damaged files: the same parsing and checks run without a system call. One
// user only: every lock is granted.
#include "platform/xbase/FileOperations.h"

#include <map>
#include <memory>

namespace vel::xbase {

class MemoryFileOperations : public FileOperations {
  public:
    void setFile(const QByteArray& path, const QByteArray& bytes);
    QByteArray file(const QByteArray& path) const;
    bool exists(const QByteArray& path) const { return files_.count(path) > 0; }

    int openFile(const QByteArray& path, int flags, int mode) override;
    int closeFile(int descriptor) override;
    ssize_t readAt(int descriptor, void* buffer, size_t size, off_t offset) override;
    ssize_t writeAt(int descriptor, const void* buffer, size_t size, off_t offset) override;
    off_t fileSize(int descriptor) override;
    int truncateFile(int descriptor, off_t size) override;
    int syncFile(int descriptor) override;
    int lockRange(int descriptor, int command, short type, off_t start, off_t length) override;
    int linkFile(const QByteArray& existing, const QByteArray& created) override;
    int renameFile(const QByteArray& from, const QByteArray& to) override;
    int removeFile(const QByteArray& path) override;
    int copyPermissions(int fromDescriptor, int toDescriptor) override;
    // Its descriptors are no system's: shared readers lock, and nothing is mapped.
    bool isLocalFile(int) override { return false; }
    const char* mapForReading(int, size_t) override { return nullptr; }
    void unmap(const char*, size_t) override {}

  private:
    QByteArray* contents(int descriptor);

    std::map<QByteArray, std::shared_ptr<QByteArray>> files_;
    std::map<int, std::shared_ptr<QByteArray>> open_;
    int nextDescriptor_ = 1000;
};

}  // namespace vel::xbase
