#include "platform/xbase/FileOperations.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <cerrno>

namespace vel::xbase {

int FileOperations::openFile(const QByteArray& path, int flags, int mode) {
    int descriptor;
    do {
        descriptor = ::open(path.constData(), flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

int FileOperations::closeFile(int descriptor) {
    return ::close(descriptor);
}

ssize_t FileOperations::readAt(int descriptor, void* buffer, size_t size, off_t offset) {
    ssize_t done;
    do {
        done = ::pread(descriptor, buffer, size, offset);
    } while (done < 0 && errno == EINTR);
    return done;
}

ssize_t FileOperations::writeAt(int descriptor, const void* buffer, size_t size, off_t offset) {
    ssize_t done;
    do {
        done = ::pwrite(descriptor, buffer, size, offset);
    } while (done < 0 && errno == EINTR);
    return done;
}

off_t FileOperations::fileSize(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return -1;
    }
    return status.st_size;
}

int FileOperations::truncateFile(int descriptor, off_t size) {
    return ::ftruncate(descriptor, size);
}

int FileOperations::syncFile(int descriptor) {
    return ::fdatasync(descriptor);
}

int FileOperations::lockRange(int descriptor, int command, short type, off_t start, off_t length) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    lock.l_pid = 0;  // required by open-file-description locks
    int result;
    do {
        result = ::fcntl(descriptor, command, &lock);
    } while (result < 0 && errno == EINTR && command == F_OFD_SETLKW);
    return result;
}

int FileOperations::linkFile(const QByteArray& existing, const QByteArray& created) {
    return ::link(existing.constData(), created.constData());
}

int FileOperations::renameFile(const QByteArray& from, const QByteArray& to) {
    return ::rename(from.constData(), to.constData());
}

int FileOperations::removeFile(const QByteArray& path) {
    return ::unlink(path.constData());
}

int FileOperations::copyPermissions(int fromDescriptor, int toDescriptor) {
    struct stat status {};
    if (::fstat(fromDescriptor, &status) != 0) {
        return -1;
    }
    return ::fchmod(toDescriptor, status.st_mode & 07777);
}

FileOperations& FileOperations::standard() {
    static FileOperations operations;
    return operations;
}

bool FileOperations::isLocalFile(int descriptor) {
    struct statfs system {};
    if (fstatfs(descriptor, &system) != 0) {
        return false;
    }
    constexpr unsigned long xfs = 0x58465342;
    constexpr unsigned long zfs = 0x2FC12FC1;
    switch (static_cast<unsigned long>(system.f_type)) {
        case EXT4_SUPER_MAGIC:  // also ext2 and ext3
        case xfs:
        case BTRFS_SUPER_MAGIC:
        case TMPFS_MAGIC:
        case F2FS_SUPER_MAGIC:
        case OVERLAYFS_SUPER_MAGIC:
        case zfs:
            return true;
        default:
            return false;
    }
}

const char* FileOperations::mapForReading(int descriptor, size_t size) {
    void* address = mmap(nullptr, size, PROT_READ, MAP_SHARED, descriptor, 0);
    return address == MAP_FAILED ? nullptr : static_cast<const char*>(address);
}

void FileOperations::unmap(const char* address, size_t size) {
    munmap(const_cast<char*>(address), size);
}

}  // namespace vel::xbase
