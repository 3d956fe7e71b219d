#pragma once
// For a child process of a test: when the tests run as root, become the ordinary user "nobody", for
// whom file permissions hold (a folder without read permission is then closed). Ends the child with
// status 97 when that fails.

#include <grp.h>
#include <unistd.h>

inline void HacerseUsuarioCorriente() {
    if (geteuid() != 0)
        return;
    setgroups(0, nullptr);
    if (setgid(65534) != 0 || setuid(65534) != 0)
        _exit(97);
}
