// Runs a program and writes its peak memory (maximum resident set, kilobytes) and processor
// seconds to the file named first: run_measured REPORT PROGRAM ARGS... The command benchmarks
// start the program through this small process because a child's peak starts at the size of
// the process that forked it, and the benchmark program itself is large.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: run_measured REPORT PROGRAM [ARGS...]\n");
        return 2;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) {
        std::perror("run_measured");
        return 2;
    }
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::FILE* report = std::fopen(argv[1], "w");
    if (report == nullptr) {
        std::perror(argv[1]);
        return 2;
    }
    std::fprintf(report, "%ld %.6f\n", usage.ru_maxrss, cpu);
    std::fclose(report);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
