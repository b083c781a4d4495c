#pragma once

// Work run in a child process of its own under a CPU limit and an address-space limit, so that
// an input costing time or memory without end fails its test instead of taking the machine.
// POSIX only.

#include "support/sanitized.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <new>
#include <string>
#include <thread>

namespace blachorys::test {

struct RunBounds {
    /** CPU time of all the child's threads; a second past it the system ends the child. */
    double cpuSeconds = 4.0;
    /** The child's address space, bytes; 0 for none. */
    std::size_t addressSpaceBytes = 0;
};

/**
 * Bounds for work of a few seconds: the CPU time, slowed as a sanitizer slows it, and an
 * address space of a gigabyte and room for a stack and an allocator's arena per thread the
 * work may start.
 */
inline RunBounds boundsFor(double cpuSeconds) {
    const std::size_t threads = std::max(1U, std::thread::hardware_concurrency());
    return {cpuSeconds * kSanitizedSlowdown,
            kAddressSanitized ? 0 : (std::size_t{1} << 30) + threads * (std::size_t{80} << 20)};
}

/** The resident memory such work may reach, KiB. */
inline const long kMostResidentKb = static_cast<long>(768 * 1024 * kSanitizedSlowdown);

/** The bounds, set on this process: for a child, after fork. */
inline void applyBounds(const RunBounds& bounds) {
    const auto seconds = static_cast<rlim_t>(std::ceil(bounds.cpuSeconds));
    const rlimit cpu{seconds + 1, seconds + 2}; // SIGXCPU at the first, SIGKILL at the second
    setrlimit(RLIMIT_CPU, &cpu);
    if (bounds.addressSpaceBytes > 0) {
        const rlimit space{bounds.addressSpaceBytes, bounds.addressSpaceBytes};
        setrlimit(RLIMIT_AS, &space);
    }
}

inline double cpuSecondsOf(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

struct BoundedRun {
    /** The work returned, its text written. */
    bool finished = false;
    /** What the work returned, or why it did not finish. */
    std::string text;
    double cpuSeconds = 0.0;
    long peakResidentKb = 0;
};

/**
 * Runs `work` in a forked child under `bounds`: what it returned, its CPU time and its peak
 * memory. Running out of the address space (std::bad_alloc) is said in the text. The child
 * leaves by _exit, running none of the parent's exit handlers.
 */
inline BoundedRun runBounded(const std::function<std::string()>& work, const RunBounds& bounds) {
    int channel[2];
    if (pipe(channel) != 0) {
        return {false, "no pipe to a child"};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        applyBounds(bounds);
        std::string text;
        int code = 0;
        try {
            text = work();
        } catch (const std::bad_alloc&) {
            text = "out of memory: over the address-space limit of " +
                   std::to_string(bounds.addressSpaceBytes >> 20) + " MiB";
            code = 3;
        }
        for (std::size_t at = 0; at < text.size();) {
            const ssize_t written = write(channel[1], text.data() + at, text.size() - at);
            if (written <= 0) {
                break;
            }
            at += static_cast<std::size_t>(written);
        }
        _exit(code);
    }
    close(channel[1]);
    BoundedRun run;
    char buffer[4096];
    for (ssize_t got; child > 0 && (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
        run.text.append(buffer, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    if (child < 0) {
        return {false, "no child process"};
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.cpuSeconds = cpuSecondsOf(usage);
    run.peakResidentKb = usage.ru_maxrss;
    run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (WIFSIGNALED(status)) {
        run.text = "ended by signal " + std::to_string(WTERMSIG(status)) +
                   (WTERMSIG(status) == SIGXCPU ? ", past the CPU limit" : "");
    }
    return run;
}

} // namespace blachorys::test
