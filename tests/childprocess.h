// A child process for what a test must not do to itself or to the machine: mounting
// file systems that vanish with the child, or giving up root so that permission bits
// apply. The child's body reports one text back through a pipe.
#pragma once

#include <cerrno>
#include <cstring>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_child {

enum class Mounts { Shared, Private };
enum class User { AsIs, Unprivileged };

struct ChildReply {
    std::string report;  // what the body returned
    std::string skipped; // why the machine does not allow the run
    std::string failed;  // the child ended without a report
};

// Appends a length-prefixed text, so reports can hold any bytes.
inline void putText(std::string &out, const std::string &s)
{
    out += std::to_string(s.size()) + ':' + s;
}

// Takes the next length-prefixed text from `pos` on.
inline std::string takeText(const std::string &in, std::size_t &pos)
{
    const std::size_t colon = in.find(':', pos);
    const std::size_t n = std::stoul(in.substr(pos, colon - pos));
    pos = colon + 1 + n;
    return in.substr(colon + 1, n);
}

// Runs `body` in a child process. Private mounts give the child a mount namespace of its
// own; Unprivileged drops a root child's effective user and group to 65534.
inline ChildReply runInChild(Mounts mounts, User user, const std::function<std::string()> &body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {"", "", "no pipe"};
    const pid_t pid = ::fork();
    if (pid < 0)
        return {"", "", "no fork"};
    if (pid == 0) {
        ::close(fds[0]);
        auto send = [&](char kind, const std::string &text) {
            const std::string msg = kind + text;
            std::size_t done = 0;
            while (done < msg.size()) {
                const ssize_t n = ::write(fds[1], msg.data() + done, msg.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            ::close(fds[1]);
            ::_exit(0);
        };
        if (mounts == Mounts::Private &&
            (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0))
            send('S', std::string("no mount namespace of its own: ") + std::strerror(errno));
        if (user == User::Unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setegid(65534) != 0 || ::seteuid(65534) != 0))
            send('S', std::string("cannot drop to an unprivileged user: ") + std::strerror(errno));
        send('R', body());
    }
    ::close(fds[1]);
    std::string reply;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        reply.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (reply.empty())
        return {"", "", "the child ended without a report, status " + std::to_string(status)};
    if (reply[0] == 'S')
        return {"", reply.substr(1), ""};
    return {reply.substr(1), "", ""};
}

} // namespace testing_child
