#include "platform/xbase/MemoryFileOperations.h"

#include <fcntl.h>
#include <cerrno>
#include <cstring>

namespace vel::xbase {

void MemoryFileOperations::setFile(const QByteArray& path, const QByteArray& bytes) {
    files_[path] = std::make_shared<QByteArray>(bytes);
}

QByteArray MemoryFileOperations::file(const QByteArray& path) const {
    const auto found = files_.find(path);
    return found == files_.end() ? QByteArray() : *found->second;
}

QByteArray* MemoryFileOperations::contents(int descriptor) {
    const auto found = open_.find(descriptor);
    if (found == open_.end()) {
        errno = EBADF;
        return nullptr;
    }
    return found->second.get();
}

int MemoryFileOperations::openFile(const QByteArray& path, int flags, int) {
    auto found = files_.find(path);
    if (found != files_.end() && (flags & O_CREAT) && (flags & O_EXCL)) {
        errno = EEXIST;
        return -1;
    }
    if (found == files_.end()) {
        if (!(flags & O_CREAT)) {
            errno = ENOENT;
            return -1;
        }
        found = files_.emplace(path, std::make_shared<QByteArray>()).first;
    }
    if (flags & O_TRUNC) {
        found->second->clear();
    }
    open_[nextDescriptor_] = found->second;
    return nextDescriptor_++;
}

int MemoryFileOperations::closeFile(int descriptor) {
    return open_.erase(descriptor) ? 0 : (errno = EBADF, -1);
}

ssize_t MemoryFileOperations::readAt(int descriptor, void* buffer, size_t size, off_t offset) {
    QByteArray* bytes = contents(descriptor);
    if (!bytes) {
        return -1;
    }
    if (offset >= bytes->size()) {
        return 0;
    }
    const size_t available = std::min<size_t>(size, size_t(bytes->size() - offset));
    std::memcpy(buffer, bytes->constData() + offset, available);
    return ssize_t(available);
}

ssize_t MemoryFileOperations::writeAt(int descriptor, const void* buffer, size_t size,
                                      off_t offset) {
    QByteArray* bytes = contents(descriptor);
    if (!bytes) {
        return -1;
    }
    if (offset + qint64(size) > bytes->size()) {
        bytes->resize(offset + qint64(size), '\0');
    }
    std::memcpy(bytes->data() + offset, buffer, size);
    return ssize_t(size);
}

off_t MemoryFileOperations::fileSize(int descriptor) {
    QByteArray* bytes = contents(descriptor);
    return bytes ? off_t(bytes->size()) : -1;
}

int MemoryFileOperations::truncateFile(int descriptor, off_t size) {
    QByteArray* bytes = contents(descriptor);
    if (!bytes) {
        return -1;
    }
    bytes->resize(size, '\0');
    return 0;
}

int MemoryFileOperations::syncFile(int descriptor) {
    return contents(descriptor) ? 0 : -1;
}

int MemoryFileOperations::lockRange(int descriptor, int, short, off_t, off_t) {
    return contents(descriptor) ? 0 : -1;
}

int MemoryFileOperations::linkFile(const QByteArray& existing, const QByteArray& created) {
    const auto found = files_.find(existing);
    if (found == files_.end()) {
        errno = ENOENT;
        return -1;
    }
    if (files_.count(created)) {
        errno = EEXIST;
        return -1;
    }
    files_[created] = found->second;
    return 0;
}

int MemoryFileOperations::renameFile(const QByteArray& from, const QByteArray& to) {
    const auto found = files_.find(from);
    if (found == files_.end()) {
        errno = ENOENT;
        return -1;
    }
    std::shared_ptr<QByteArray> bytes = found->second;
    files_.erase(found);
    files_[to] = bytes;
    return 0;
}

int MemoryFileOperations::removeFile(const QByteArray& path) {
    return files_.erase(path) ? 0 : (errno = ENOENT, -1);
}

int MemoryFileOperations::copyPermissions(int, int) {
    return 0;
}

}  // namespace vel::xbase
