/* The process figures of `make benchmark`'s burst, read from /proc on the host
 * (under Wine the converters are host processes named "gui.exe", and their
 * Ghostscript is the host's "gs"): every 10 ms, how many Ghostscript and
 * converter processes run, and the private memory (Private_Clean and
 * Private_Dirty of smaps_rollup) of all of them together. Runs until SIGTERM
 * or SIGINT, then prints the peaks:
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

/* The process's name (its comm), without the newline; empty when it has gone. */
static void NameOf(const char *pid, char *name, size_t size) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%s/comm", pid);
  name[0] = '\0';
  FILE *file = fopen(path, "r");
  if (!file) return;
  if (fgets(name, (int)size, file)) name[strcspn(name, "\n")] = '\0';
  fclose(file);
}

static long PrivateKib(const char *pid) {
  char path[64], line[256];
  snprintf(path, sizeof path, "/proc/%s/smaps_rollup", pid);
  FILE *file = fopen(path, "r");
  long kib = 0, value = 0;
  if (!file) return 0;
  while (fgets(line, sizeof line, file)) {
    if (sscanf(line, "Private_Clean: %ld", &value) == 1 ||
        sscanf(line, "Private_Dirty: %ld", &value) == 1) {
      kib += value;
    }
  }
  fclose(file);
  return kib;
}

int main(void) {
  signal(SIGTERM, Stop);
  signal(SIGINT, Stop);
  long peakGs = 0, peakConverters = 0, peakKib = 0, samples = 0;
  const struct timespec pause = {0, 10 * 1000 * 1000};
  while (!stopping) {
    long gs = 0, converters = 0, kib = 0;
    DIR *proc = opendir("/proc");
    if (!proc) return 1;
    for (struct dirent *entry; (entry = readdir(proc)) != NULL;) {
      if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
      char name[32];
      NameOf(entry->d_name, name, sizeof name);
      const int isGs = strcmp(name, "gs") == 0;
      const int isConverter = strcmp(name, "gui.exe") == 0;
      if (!isGs && !isConverter) continue;
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
