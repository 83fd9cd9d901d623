// Stands in for another dBASE program: takes a classic fcntl() record lock (F_SETLK, owned by
// the process) on a file, prints "locked" and holds the lock until its standard input closes.
// When the range is already locked it prints "busy" and ends with code 3.
// Usage: dbase_locker <file> <read|write> <start> <length>   (length 0: to the end and beyond)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc != 5)
        return 2;
    const bool write = std::strcmp(argv[2], "write") == 0;
    const int fd = ::open(argv[1], write ? O_RDWR : O_RDONLY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 2;
    }
    struct flock request {};
    request.l_type = write ? F_WRLCK : F_RDLCK;
    request.l_whence = SEEK_SET;
    request.l_start = std::strtoll(argv[3], nullptr, 0);
    request.l_len = std::strtoll(argv[4], nullptr, 0);
    if (::fcntl(fd, F_SETLK, &request) != 0) {
        std::puts("busy");
        return 3;
    }
    std::puts("locked");
    std::fflush(stdout);
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
}
