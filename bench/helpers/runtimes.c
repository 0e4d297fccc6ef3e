/* Runs one command a number of times and reports, for the whole set, the
 * median wall time of one run and the CPU time (user + system) the runs
 * used, both in seconds:  runtimes COUNT PROGRAM [ARGUMENT...]
 * Output: "median_wall mean_cpu max_cpu" on one line. Each run is started
 * with posix_spawn and reaped with wait4, whose resource usage is the run's
 * own (with whatever it waited for in turn). Standard output and error of
 * the runs go to /dev/null so that the terminal costs nothing. A run that
 * fails (cannot start, or ends with a non-zero status) stops the set with a
 * message and exit status 1, so that a benchmark never times a failure. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static double Seconds(struct timeval t) { return (double)t.tv_sec + (double)t.tv_usec / 1e6; }

static int CompareDoubles(const void *a, const void *b) {
  double x = *(const double *)a, y = *(const double *)b;
  return x < y ? -1 : x > y;
}

/* One run: its wall time and CPU time; 0 when it ran and ended with status 0. */
static int RunOnce(char **argv, double *wall, double *cpu) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  double start = Now();
  pid_t pid;
  int error = posix_spawnp(&pid, argv[0], &actions, NULL, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    fprintf(stderr, "runtimes: cannot start %s: %s\n", argv[0], strerror(error));
    return -1;
  }
  int status;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) != pid) {
    perror("runtimes: wait4");
    return -1;
  }
  *wall = Now() - start;
  *cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fprintf(stderr, "runtimes: %s ended with status %d\n", argv[0], status);
    return -1;
  }
  return 0;
}

int main(int argc, char **argv) {
  int count = argc > 2 ? atoi(argv[1]) : 0;
  if (count < 1) {
    fprintf(stderr, "usage: runtimes COUNT PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  double *walls = calloc((size_t)count, sizeof *walls);
  double cpuTotal = 0, cpuMax = 0;
  for (int i = 0; i < count; ++i) {
    double cpu;
    if (RunOnce(argv + 2, &walls[i], &cpu) != 0) return 1;
    cpuTotal += cpu;
    if (cpu > cpuMax) cpuMax = cpu;
  }
  qsort(walls, (size_t)count, sizeof *walls, CompareDoubles);
  double median = count % 2 ? walls[count / 2] : (walls[count / 2 - 1] + walls[count / 2]) / 2;
  printf("%.6f %.6f %.6f\n", median, cpuTotal / count, cpuMax);
  free(walls);
  return 0;
}
