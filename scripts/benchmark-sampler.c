/* The process figures of `make benchmark`'s burst, read from /proc on the host
 * (under Wine the converters are host processes named "gui.exe", and their
 * Ghostscript is the host's "gs"): every 10 ms, how many Ghostscript and
 * converter processes of this benchmark run, and the private memory
 * (Private_Clean and Private_Dirty of smaps_rollup) of all of them together.
 *   benchmark-sampler <gs marker> <converter marker>
 * counts a "gs" whose command line holds the first text (the benchmark's own
 * output folder) and a "gui.exe" whose mapped files hold the second (the
 * benchmark's Wine prefix): the machine may run other Ghostscripts and
 * converters (Wine leaves no parent link: its processes hang from init). Runs
 * until SIGTERM or SIGINT, then prints the peaks:
 *   peak gs <n>, peak converters <n>, peak private <KiB> KiB, <n> samples */
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static volatile sig_atomic_t stopping = 0;

static void Stop(int signal_number) {
  (void)signal_number;
  stopping = 1;
}

/* Reads /proc/<pid>/<what> into `text` (nulls made blanks); empty when it has gone. */
static void ReadProc(const char *pid, const char *what, char *text, size_t size) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%s/%s", pid, what);
  text[0] = '\0';
  FILE *file = fopen(path, "r");
  if (!file) return;
  const size_t length = fread(text, 1, size - 1, file);
  fclose(file);
  for (size_t at = 0; at < length; ++at) {
    if (text[at] == '\0') text[at] = ' ';
  }
  text[length] = '\0';
}

static long PrivateKib(const char *pid) {
  static char text[1 << 12];
  ReadProc(pid, "smaps_rollup", text, sizeof text);
  long kib = 0;
  for (const char *line = text; line && *line; line = strchr(line, '\n') ? strchr(line, '\n') + 1 : NULL) {
    long value = 0;
    if (sscanf(line, "Private_Clean: %ld", &value) == 1 ||
        sscanf(line, "Private_Dirty: %ld", &value) == 1) {
      kib += value;
    }
  }
  return kib;
}

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: benchmark-sampler <gs marker> <converter marker>\n");
    return 2;
  }
  signal(SIGTERM, Stop);
  signal(SIGINT, Stop);
  static char text[1 << 20];
  long peakGs = 0, peakConverters = 0, peakKib = 0, samples = 0;
  const struct timespec pause = {0, 10 * 1000 * 1000};
  while (!stopping) {
    long gs = 0, converters = 0, kib = 0;
    DIR *proc = opendir("/proc");
    if (!proc) return 1;
    for (struct dirent *entry; (entry = readdir(proc)) != NULL;) {
      if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
      char name[32];
      ReadProc(entry->d_name, "comm", name, sizeof name);
      name[strcspn(name, "\n")] = '\0';
      const int isGs = strcmp(name, "gs") == 0;
      const int isConverter = strcmp(name, "gui.exe") == 0;
      if (!isGs && !isConverter) continue;
      ReadProc(entry->d_name, isGs ? "cmdline" : "maps", text, sizeof text);
      if (!strstr(text, argv[isGs ? 1 : 2])) continue;
      gs += isGs;
      converters += isConverter;
      kib += PrivateKib(entry->d_name);
    }
    closedir(proc);
    if (gs > peakGs) peakGs = gs;
    if (converters > peakConverters) peakConverters = converters;
    if (kib > peakKib) peakKib = kib;
    ++samples;
    nanosleep(&pause, NULL);
  }
  printf("peak gs %ld, peak converters %ld, peak private %ld KiB, %ld samples\n", peakGs,
         peakConverters, peakKib, samples);
  return 0;
}
