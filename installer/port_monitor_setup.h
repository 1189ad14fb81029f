// The port monitor and its one port, as the spooler knows them.
#pragma once

// Writes the port to the monitor's port list (the numbered values, and the
// empty Ports\<port> subkey by which Wine maps a port to its monitor) before
// the spooler loads the monitor, then registers the monitor library. A monitor
// that is registered already is kept.
void InstallPortMonitor();

// Deletes the monitor and its key with the port list; nothing when absent.
void RemovePortMonitor();

// Whether the spooler lists the monitor.
bool PortMonitorListed();
