/* Runs a command with its output discarded and prints its peak resident
 * size in KiB. */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[]) {
    if (argc < 2) {
        fputs("usage: peak_rss command [argument ...]\n", stderr);
        return 2;
    }
    pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) < 0) return 2;
    printf("%ld\n", usage.ru_maxrss);
    return 0;
}
