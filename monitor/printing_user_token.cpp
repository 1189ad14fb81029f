#include "printing_user_token.h"

#include <userenv.h>

#include "service_context.h"
#include "user_message.h"

namespace {

constexpr wchar_t kAccessDeniedExplanation[] =
    L"An access error occured in a call to the OpenThreadToken function.\n\n"
    L"If you are trying to print from Internet Explorer on Windows Vista, you should disable "
    L"protected mode in order to print.";

}  // namespace

void EnvironmentBlockTraits::Close(Type block) noexcept { DestroyEnvironmentBlock(block); }

UniqueEnvironmentBlock CreateUserEnvironment(HANDLE primaryToken) {
  UniqueEnvironmentBlock block;
  if (!CreateEnvironmentBlock(block.put(), primaryToken, FALSE)) block.release();
  return block;
}

bool DestroyUserEnvironment(UniqueEnvironmentBlock& block) {
  return !block || DestroyEnvironmentBlock(block.release());
}

PrintingUserToken::~PrintingUserToken() { Close(); }

void PrintingUserToken::Close() {
  threadToken_.reset();
  if (impersonated_) {
    RevertToSelf();
    impersonated_ = false;
  }
}

bool PrintingUserToken::Open(DWORD firstAccess, const TokenFailureMessages& messages) {
  if (OpenThreadToken(GetCurrentThread(), firstAccess, TRUE, threadToken_.put())) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_NO_TOKEN) {
    if (RunsAsServiceAccountWithoutUser()) {
      SetLastError(ERROR_ACCESS_DENIED);  // never the service's own account
      return false;
    }
    if (!ImpersonateSelf(SecurityImpersonation)) {
      ShowMonitorError(messages.impersonateSelf, GetLastError());
      return false;
    }
    impersonated_ = true;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_DUPLICATE | TOKEN_IMPERSONATE, TRUE,
                         threadToken_.put())) {
      ShowMonitorError(messages.openThreadToken2, GetLastError());
      Close();
      return false;
    }
    return true;
  }
  if (error == ERROR_ACCESS_DENIED && messages.explainAccessDenied) {
    ShowMonitorMessage(kAccessDeniedExplanation);
  } else {
    ShowMonitorError(messages.openThreadToken, error);
  }
  return false;
}

UniqueHandle PrintingUserToken::DuplicatePrimary() const {
  UniqueHandle primary;
  if (!DuplicateTokenEx(threadToken_.get(), TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                        TokenPrimary, primary.put())) {
    primary.reset();
  }
  return primary;
}
