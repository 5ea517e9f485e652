// Preloaded into a worker process (LD_PRELOAD) to crash it at a chosen file operation, whichever
// library makes it (Qt's QSaveFile, libxlsxwriter's stdio, the xBase layer): every call that
// changes a regular file or a folder is a point (write, pwrite, writev, fwrite, fflush and
// fclose of a file with data, ftruncate, fsync, fdatasync, rename, link, unlink and their *at
// forms). At the point VELMOR_KILL_AT names the process raises SIGKILL before the call; at an
// odd point a write first lets half of its bytes through, as a crash in the middle of it would.
// At a normal exit it prints "file points N" on standard output.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long points = 0;
long long killAt = -1;

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool regularFile(int descriptor) {
    struct stat status {};
    return descriptor >= 0 && fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

// Counts a point; true when it is the kill point and odd (a torn write goes first).
bool point() {
    ++points;
    return points == killAt && killAt % 2 == 1;
}

void dieIfDue() {
    if (points == killAt) {
        raise(SIGKILL);
    }
}

__attribute__((constructor)) void readKillPoint() {
    if (const char* value = std::getenv("VELMOR_KILL_AT")) {
        killAt = std::atoll(value);
    }
}

__attribute__((destructor)) void reportPoints() {
    char line[64];
    const int length = std::snprintf(line, sizeof line, "file points %lld\n", points);
    static const auto write = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (length > 0 && write(STDOUT_FILENO, line, size_t(length)) < 0) {
        return;
    }
}

}  // namespace

extern "C" {

ssize_t write(int descriptor, const void* buffer, size_t size) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (regularFile(descriptor)) {
        if (point() && size > 1) {
            next(descriptor, buffer, size / 2);
        }
        dieIfDue();
    }
    return next(descriptor, buffer, size);
}

ssize_t pwrite(int descriptor, const void* buffer, size_t size, off_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (regularFile(descriptor)) {
        if (point() && size > 1) {
            next(descriptor, buffer, size / 2, offset);
        }
        dieIfDue();
    }
    return next(descriptor, buffer, size, offset);
}

ssize_t pwrite64(int descriptor, const void* buffer, size_t size, off_t offset) {
    return pwrite(descriptor, buffer, size, offset);
}

ssize_t writev(int descriptor, const struct iovec* parts, int count) {
    static const auto next = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (regularFile(descriptor)) {
        if (point() && count > 0 && parts[0].iov_len > 1) {
            static const auto plainWrite = real<ssize_t (*)(int, const void*, size_t)>("write");
            plainWrite(descriptor, parts[0].iov_base, parts[0].iov_len / 2);
        }
        dieIfDue();
    }
    return next(descriptor, parts, count);
}

size_t fwrite(const void* buffer, size_t size, size_t count, FILE* stream) {
    static const auto next = real<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite");
    if (regularFile(fileno(stream))) {
        if (point() && count > 1) {
            static const auto flush = real<int (*)(FILE*)>("fflush");
            next(buffer, size, count / 2, stream);
            flush(stream);
        }
        dieIfDue();
    }
    return next(buffer, size, count, stream);
}

int fflush(FILE* stream) {
    static const auto next = real<int (*)(FILE*)>("fflush");
    if (stream != nullptr && regularFile(fileno(stream))) {
        point();
        dieIfDue();
    }
    return next(stream);
}

int fclose(FILE* stream) {
    static const auto next = real<int (*)(FILE*)>("fclose");
    if (stream != nullptr && regularFile(fileno(stream))) {
        point();
        dieIfDue();  // what the stream still buffers is lost, as in a crash
    }
    return next(stream);
}

int ftruncate(int descriptor, off_t size) {
    static const auto next = real<int (*)(int, off_t)>("ftruncate");
    point();
    dieIfDue();
    return next(descriptor, size);
}

int ftruncate64(int descriptor, off_t size) {
    return ftruncate(descriptor, size);
}

int fsync(int descriptor) {
    static const auto next = real<int (*)(int)>("fsync");
    point();
    dieIfDue();
    return next(descriptor);
}

int fdatasync(int descriptor) {
    static const auto next = real<int (*)(int)>("fdatasync");
    point();
    dieIfDue();
    return next(descriptor);
}

int rename(const char* from, const char* to) {
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    point();
    dieIfDue();
    return next(from, to);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
    static const auto next = real<int (*)(int, const char*, int, const char*)>("renameat");
    point();
    dieIfDue();
    return next(fromFolder, from, toFolder, to);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
    static const auto next =
        real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    point();
    dieIfDue();
    return next(fromFolder, from, toFolder, to, flags);
}

int link(const char* existing, const char* created) {
    static const auto next = real<int (*)(const char*, const char*)>("link");
    point();
    dieIfDue();
    return next(existing, created);
}

int linkat(int fromFolder, const char* existing, int toFolder, const char* created, int flags) {
    static const auto next = real<int (*)(int, const char*, int, const char*, int)>("linkat");
    point();
    dieIfDue();
    return next(fromFolder, existing, toFolder, created, flags);
}

int unlink(const char* path) {
    static const auto next = real<int (*)(const char*)>("unlink");
    point();
    dieIfDue();
    return next(path);
}

int unlinkat(int folder, const char* path, int flags) {
    static const auto next = real<int (*)(int, const char*, int)>("unlinkat");
    point();
    dieIfDue();
    return next(folder, path, flags);
}

}  // extern "C"
