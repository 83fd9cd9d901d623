#include "FaultInjection.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

struct State
{
    bool armed = false;
    std::string root;
    int failAt = 0;
    int error = 0;
    faults::Mode mode = faults::Mode::Once;
    int count = 0;
    bool failing = false;  // sticky or after a short write
    FILE *log = nullptr;
};

State &state()
{
    static State s;
    return s;
}

template <typename F>
F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

std::string pathOfFd(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, size_t(n)) : std::string();
}

std::string pathAt(int dirfd, const char *path)
{
    if (!path)
        return {};
    if (path[0] == '/')
        return path;
    std::string base = dirfd == AT_FDCWD ? std::string() : pathOfFd(dirfd);
    if (base.empty()) {
        char cwd[4096];
        base = ::getcwd(cwd, sizeof cwd) ? cwd : "";
    }
    return base + "/" + path;
}

bool below(const std::string &path)
{
    const State &s = state();
    return !s.root.empty() && path.compare(0, s.root.size(), s.root) == 0;
}

enum class Verdict { Pass, Fail, Short };

// Counts a call on `path` (and `other`, for calls with two paths) and says what to do with it.
Verdict judge(const char *call, const std::string &path, long long offset, long long length,
              const std::string &other = {})
{
    State &s = state();
    if (!s.armed || (!below(path) && !below(other)))
        return Verdict::Pass;
    const int number = ++s.count;
    if (s.log) {
        std::fprintf(s.log, "%d %s %s %lld %lld\n", number, call, below(path) ? path.c_str() : other.c_str(),
                     offset, length);
        std::fflush(s.log);
    }
    if (s.failing)
        return Verdict::Fail;
    if (number != s.failAt)
        return Verdict::Pass;
    if (s.mode == faults::Mode::Short)
        return length > 1 ? (s.failing = true, Verdict::Short) : Verdict::Pass;
    s.failing = s.mode == faults::Mode::Sticky;
    return Verdict::Fail;
}

int failWith()
{
    const State &s = state();
    errno = s.failing && s.mode == faults::Mode::Short ? ENOSPC : s.error;
    return -1;
}

bool writes(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

mode_t modeOf(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

namespace faults {

void arm(const char *root, int failAt, int error, Mode mode, const char *logPath)
{
    State &s = state();
    s = State{};
    s.root = root;
    s.failAt = failAt;
    s.error = error;
    s.mode = mode;
    s.log = logPath && *logPath ? std::fopen(logPath, "w") : nullptr;
    s.armed = true;
}

int disarm()
{
    State &s = state();
    s.armed = false;
    if (s.log)
        std::fclose(s.log);
    s.log = nullptr;
    return s.count;
}

} // namespace faults

#define PASS_OR_FAIL(call, path, offset, length, ...)                                               \
    switch (judge(call, path, offset, length, ##__VA_ARGS__)) {                                    \
    case Verdict::Fail:                                                                            \
        return failWith();                                                                         \
    default:                                                                                       \
        break;                                                                                     \
    }

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    if (writes(flags))
        PASS_OR_FAIL("open", pathAt(AT_FDCWD, path), -1, -1)
    static auto next = real<int (*)(const char *, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    if (writes(flags))
        PASS_OR_FAIL("open", pathAt(AT_FDCWD, path), -1, -1)
    static auto next = real<int (*)(const char *, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    if (writes(flags))
        PASS_OR_FAIL("open", pathAt(dirfd, path), -1, -1)
    static auto next = real<int (*)(int, const char *, int, ...)>("openat");
    return next(dirfd, path, flags, mode);
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    if (writes(flags))
        PASS_OR_FAIL("open", pathAt(dirfd, path), -1, -1)
    static auto next = real<int (*)(int, const char *, int, ...)>("openat64");
    return next(dirfd, path, flags, mode);
}

int creat(const char *path, mode_t mode)
{
    return open(path, O_WRONLY | O_CREAT | O_TRUNC, mode);
}

ssize_t write(int fd, const void *data, size_t length)
{
    static auto next = real<ssize_t (*)(int, const void *, size_t)>("write");
    switch (judge("write", pathOfFd(fd), -1, (long long)length)) {
    case Verdict::Fail:
        return failWith();
    case Verdict::Short:
        return next(fd, data, length / 2);
    default:
        return next(fd, data, length);
    }
}

static ssize_t positionalWrite(int fd, const void *data, size_t length, off_t offset)
{
    static auto next = real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    switch (judge("pwrite", pathOfFd(fd), offset, (long long)length)) {
    case Verdict::Fail:
        return failWith();
    case Verdict::Short:
        return next(fd, data, length / 2, offset);
    default:
        return next(fd, data, length, offset);
    }
}

ssize_t pwrite(int fd, const void *data, size_t length, off_t offset)
{
    return positionalWrite(fd, data, length, offset);
}

ssize_t pwrite64(int fd, const void *data, size_t length, off_t offset)
{
    return positionalWrite(fd, data, length, offset);
}

ssize_t writev(int fd, const struct iovec *parts, int count)
{
    long long length = 0;
    for (int i = 0; i < count; ++i)
        length += (long long)parts[i].iov_len;
    static auto next = real<ssize_t (*)(int, const struct iovec *, int)>("writev");
    if (judge("writev", pathOfFd(fd), -1, length) != Verdict::Pass)
        return failWith();
    return next(fd, parts, count);
}

ssize_t pwritev(int fd, const struct iovec *parts, int count, off_t offset)
{
    long long length = 0;
    for (int i = 0; i < count; ++i)
        length += (long long)parts[i].iov_len;
    static auto next = real<ssize_t (*)(int, const struct iovec *, int, off_t)>("pwritev");
    if (judge("pwritev", pathOfFd(fd), offset, length) != Verdict::Pass)
        return failWith();
    return next(fd, parts, count, offset);
}

int fsync(int fd)
{
    PASS_OR_FAIL("fsync", pathOfFd(fd), -1, -1)
    static auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

int fdatasync(int fd)
{
    PASS_OR_FAIL("fdatasync", pathOfFd(fd), -1, -1)
    static auto next = real<int (*)(int)>("fdatasync");
    return next(fd);
}

int ftruncate(int fd, off_t length)
{
    PASS_OR_FAIL("ftruncate", pathOfFd(fd), length, -1)
    static auto next = real<int (*)(int, off_t)>("ftruncate");
    return next(fd, length);
}

int ftruncate64(int fd, off_t length)
{
    PASS_OR_FAIL("ftruncate", pathOfFd(fd), length, -1)
    static auto next = real<int (*)(int, off_t)>("ftruncate64");
    return next(fd, length);
}

int fallocate(int fd, int mode, off_t offset, off_t length)
{
    PASS_OR_FAIL("fallocate", pathOfFd(fd), offset, length)
    static auto next = real<int (*)(int, int, off_t, off_t)>("fallocate");
    return next(fd, mode, offset, length);
}

int rename(const char *from, const char *to)
{
    PASS_OR_FAIL("rename", pathAt(AT_FDCWD, to), -1, -1, pathAt(AT_FDCWD, from))
    static auto next = real<int (*)(const char *, const char *)>("rename");
    return next(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    PASS_OR_FAIL("rename", pathAt(toDir, to), -1, -1, pathAt(fromDir, from))
    static auto next = real<int (*)(int, const char *, int, const char *)>("renameat");
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags)
{
    PASS_OR_FAIL("rename", pathAt(toDir, to), -1, -1, pathAt(fromDir, from))
    static auto next = real<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2");
    return next(fromDir, from, toDir, to, flags);
}

int link(const char *from, const char *to)
{
    PASS_OR_FAIL("link", pathAt(AT_FDCWD, to), -1, -1, pathAt(AT_FDCWD, from))
    static auto next = real<int (*)(const char *, const char *)>("link");
    return next(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    PASS_OR_FAIL("link", pathAt(toDir, to), -1, -1)
    static auto next = real<int (*)(int, const char *, int, const char *, int)>("linkat");
    return next(fromDir, from, toDir, to, flags);
}

int unlink(const char *path)
{
    PASS_OR_FAIL("unlink", pathAt(AT_FDCWD, path), -1, -1)
    static auto next = real<int (*)(const char *)>("unlink");
    return next(path);
}

int unlinkat(int dirfd, const char *path, int flags)
{
    PASS_OR_FAIL("unlink", pathAt(dirfd, path), -1, -1)
    static auto next = real<int (*)(int, const char *, int)>("unlinkat");
    return next(dirfd, path, flags);
}

int mkdir(const char *path, mode_t mode)
{
    PASS_OR_FAIL("mkdir", pathAt(AT_FDCWD, path), -1, -1)
    static auto next = real<int (*)(const char *, mode_t)>("mkdir");
    return next(path, mode);
}

int chmod(const char *path, mode_t mode)
{
    PASS_OR_FAIL("chmod", pathAt(AT_FDCWD, path), -1, -1)
    static auto next = real<int (*)(const char *, mode_t)>("chmod");
    return next(path, mode);
}

int fchmod(int fd, mode_t mode)
{
    PASS_OR_FAIL("fchmod", pathOfFd(fd), -1, -1)
    static auto next = real<int (*)(int, mode_t)>("fchmod");
    return next(fd, mode);
}

int fchown(int fd, uid_t user, gid_t group)
{
    PASS_OR_FAIL("fchown", pathOfFd(fd), -1, -1)
    static auto next = real<int (*)(int, uid_t, gid_t)>("fchown");
    return next(fd, user, group);
}

ssize_t copy_file_range(int in, off64_t *inOffset, int out, off64_t *outOffset, size_t length, unsigned int flags)
{
    PASS_OR_FAIL("copy_file_range", pathOfFd(out), -1, (long long)length)
    static auto next = real<ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned int)>("copy_file_range");
    return next(in, inOffset, out, outOffset, length, flags);
}

ssize_t sendfile(int out, int in, off_t *offset, size_t length)
{
    PASS_OR_FAIL("sendfile", pathOfFd(out), -1, (long long)length)
    static auto next = real<ssize_t (*)(int, int, off_t *, size_t)>("sendfile");
    return next(out, in, offset, length);
}

} // extern "C"
