#pragma once
// Tests that need a process of their own (to be killed, or to run under a lower file-size
// limit) run a function in a forked child.

#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a forked child that exits with its result (99 if it throws); the child never
// returns into the test framework.
template <typename Body>
pid_t Spawn(Body body) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    int status = 99;
    try {
        status = body();
    } catch (...) {
    }
    ::_exit(status);
}

// The raw wait status: 0 for a child that exited with 0.
inline int Wait(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}
