// The printing user's token: the calling thread's impersonation token, or, when
// the thread impersonates nobody, the process's own account through
// ImpersonateSelf (undone when this object ends).
#pragma once

#include <windows.h>

#include <string>

#include "unique_resource.h"

// The messages shown when a step of the token chain fails.
struct TokenFailureMessages {
  const wchar_t* impersonateSelf;
  const wchar_t* openThreadToken2;
  const wchar_t* openThreadToken;
  bool explainAccessDenied;  // one explanatory box instead of the generic one
};

class PrintingUserToken {
 public:
  PrintingUserToken() = default;
  ~PrintingUserToken();
  PrintingUserToken(const PrintingUserToken&) = delete;
  PrintingUserToken& operator=(const PrintingUserToken&) = delete;

  // Opens the thread token with `firstAccess`; after ERROR_NO_TOKEN impersonates
  // self and opens it with TOKEN_DUPLICATE | TOKEN_IMPERSONATE. Shows the message
  // of a failing step and returns false. A process that runs as a service
  // account is never impersonated: false with ERROR_ACCESS_DENIED, no message.
  bool Open(DWORD firstAccess, const TokenFailureMessages& messages);

  // A primary token duplicated from the thread token (null on failure).
  UniqueHandle DuplicatePrimary() const;

  // Closes the thread token and reverts to self if Open impersonated.
  void Close();

 private:
  UniqueHandle threadToken_;
  bool impersonated_ = false;
};

// The environment block of a primary token, destroyed with DestroyEnvironmentBlock.
struct EnvironmentBlockTraits {
  using Type = void*;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type block) noexcept;
};
using UniqueEnvironmentBlock = UniqueResource<EnvironmentBlockTraits>;

// The environment block of the primary token's user, without the process's own
// variables; empty when CreateEnvironmentBlock fails.
UniqueEnvironmentBlock CreateUserEnvironment(HANDLE primaryToken);

// Destroys the block at this step rather than at scope end, for a caller that
// reports the failure; false when DestroyEnvironmentBlock fails.
bool DestroyUserEnvironment(UniqueEnvironmentBlock& block);
