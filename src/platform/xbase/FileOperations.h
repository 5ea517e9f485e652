#pragma once
// Every system call the xBase layer makes on files, behind virtual functions so that tests can
// fail a chosen write, and fuzzers can run without the disk. The base class is the POSIX
// implementation; errors are reported the POSIX way (-1 and errno).
#include <sys/types.h>
#include <QByteArray>

namespace vel::xbase {

class FileOperations {
  public:
    virtual ~FileOperations() = default;

    virtual int openFile(const QByteArray& path, int flags, int mode);
    virtual int closeFile(int descriptor);
    virtual ssize_t readAt(int descriptor, void* buffer, size_t size, off_t offset);
    virtual ssize_t writeAt(int descriptor, const void* buffer, size_t size, off_t offset);
    virtual off_t fileSize(int descriptor);
    virtual int truncateFile(int descriptor, off_t size);
    virtual int syncFile(int descriptor);
    // An open-file-description lock: command F_OFD_SETLK or F_OFD_SETLKW, type F_RDLCK,
    // F_WRLCK or F_UNLCK.
    virtual int lockRange(int descriptor, int command, short type, off_t start, off_t length);
    virtual int linkFile(const QByteArray& existing, const QByteArray& created);
    virtual int renameFile(const QByteArray& from, const QByteArray& to);
    virtual int removeFile(const QByteArray& path);
    // Gives the copy the permission bits of the original (pack and reindex replace files).
    virtual int copyPermissions(int fromDescriptor, int toDescriptor);
    // True for a file on a local disk (ext2/3/4, XFS, Btrfs, tmpfs, ...), whose cached pages
    // every process shares at once. Network filesystems bring other clients' writes in when a
    // lock is taken, so shared readers there lock for every read.
    virtual bool isLocalFile(int descriptor);
    // Maps the first size bytes of a local file for reading, seeing every write at once;
    // nullptr when it cannot. unmap() gives the mapping back.
    virtual const char* mapForReading(int descriptor, size_t size);
    virtual void unmap(const char* address, size_t size);

    // The process-wide POSIX implementation.
    static FileOperations& standard();
};

}  // namespace vel::xbase
