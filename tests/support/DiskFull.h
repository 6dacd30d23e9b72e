#pragma once
// A disk that fills up, on the real file system: while a FileSizeLimit lives, this process can
// write no file past `bytes` long, and a write past that fails as on a full disk (the signal
// that would otherwise end the process is ignored meanwhile).

#include <csignal>
#include <sys/resource.h>

struct FileSizeLimit {
    rlimit saved{};
    void (*savedHandler)(int);
    explicit FileSizeLimit(rlim_t bytes) {
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};
