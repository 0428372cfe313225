#pragma once

#include <QByteArray>

#include <sys/types.h>

// A program started as a child of this process, with a pidfd that refers to exactly that
// process for as long as the descriptor is open, whatever happens to its process id.
struct ChildProcess {
    pid_t pid = -1;
    int pidfd = -1;
};

// Starts `program` with `argument` as its one argument (none when it is empty) in `directory` (the
// current one when it is empty), without a shell: the bytes reach the program as they are. The
// child gets a session of its own, so it outlives this process and no terminal hang-up reaches it.
// Returns once the program has been loaded, or raises ELaunchError when changing into the directory
// or loading the program failed.
//
// The child stays unreaped until the caller reaps it (see reapWhenEnded), so neither its pid nor
// the pidfd can come to name another process in the meantime.
ChildProcess startChildProcess(const QByteArray& program, const QByteArray& argument,
                               const QByteArray& directory);

// Takes over the child's pidfd and reaps the child when it ends, from the event loop, so that
// no ended child is left a zombie even when nobody watches it any more. The reaper belongs to the
// application object: a child still running when the program quits is left running.
void reapWhenEnded(const ChildProcess& child);

// Whether the process behind a pidfd has ended (it may already have been reaped).
bool hasEnded(int pidfd);
