// Stands in for gui.exe in the benchmark's printing-path burst: the monitor
// starts it for each job like the converter, and it ends at once, so that the
// burst's time is the print calls, the monitor and the process starts alone.
int main() { return 0; }
