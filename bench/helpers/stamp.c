/* Appends the time of its own start on the monotonic clock, in nanoseconds,
 * as one line to FILE, and exits:  stamp FILE
 * Two stamps run one after the other by a script give the delay between the
 * end of the first program (it exits right after writing) and the start of
 * the next one. Linked statically where possible, so that its own start-up
 * adds as little as it can to what is measured. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char **argv) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (argc != 2) {
    fprintf(stderr, "usage: stamp FILE\n");
    return 2;
  }
  char line[32];
  int length = snprintf(line, sizeof line, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
  int fd = open(argv[1], O_WRONLY | O_APPEND | O_CREAT, 0644);
  if (fd < 0 || write(fd, line, (size_t)length) != length) {
    perror(argv[1]);
    return 1;
  }
  close(fd);
  return 0;
}
