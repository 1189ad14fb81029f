// A job that cannot be completed: the text the user and the log are given.
#pragma once

#include <string>

struct JobFailure {
  std::wstring text;
};

// A job that the user cancelled while it ran: nothing is saved.
struct JobCancelled {};
