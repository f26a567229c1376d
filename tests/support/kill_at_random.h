#pragma once

#include <csignal>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tarvelo::test {

// Forks a copy that runs `work(reportFd)` until killed: it writes one Report
// per acknowledged step. Waits for `waitFor` reports, then SIGKILLs the copy
// after a random 0..maxDelayUs and returns every report it wrote.
template <typename Report>
std::vector<Report> KillAtRandom(const std::function<void(int)>& work, int waitFor,
                                 unsigned maxDelayUs, std::mt19937& random)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        work(pipeEnds[1]);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::vector<Report> reports;
    Report report{};
    while (static_cast<int>(reports.size()) < waitFor &&
           ::read(pipeEnds[0], &report, sizeof report) == sizeof report)
        reports.push_back(report);
    ::usleep(std::uniform_int_distribution<unsigned>(0, maxDelayUs)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    while (::read(pipeEnds[0], &report, sizeof report) == sizeof report)
        reports.push_back(report);
    ::close(pipeEnds[0]);
    return reports;
}

} // namespace tarvelo::test
