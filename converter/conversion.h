// One job of the converter: settings, output name, Ghostscript, the PDF.
#pragma once

#include "command_line_reader.h"

// Converts the job's spool file into its PDF; reports failures to the user
// and in the converter's log. Returns the process exit code.
int ConvertJob(const JobRequest& job);

// Shows the monitor's message; returns the process exit code.
int ShowMonitorMessage(const MessageRequest& message);
