#include "writer_liveness.h"

#include <windows.h>

#include "unique_resource.h"

bool IsRunning(const SaveWriter& writer) {
  if (writer.processId == GetCurrentProcessId()) {
    if (writer.threadId == GetCurrentThreadId()) return false;
    UniqueHandle thread(
        OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, writer.threadId));
    return thread && GetProcessIdOfThread(thread.get()) == writer.processId &&
           WaitForSingleObject(thread.get(), 0) == WAIT_TIMEOUT;
  }
  UniqueHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, writer.processId));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to see
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}
