// A disk that fills up, as far as this process and the programs it starts can tell: no file may
// grow past `bytes`. A write past it fails (EFBIG) instead of the process being killed.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace pelea::testing {

class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit now = before_;
        now.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &now);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit before_{};
    void (*signal_)(int) = SIG_DFL;
};

}  // namespace pelea::testing
