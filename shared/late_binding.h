// Calling methods of an automation object by name (late binding).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <deque>
#include <span>
#include <string_view>
#include <vector>

#include "com_ptr.h"

// The arguments of one late-bound call, in call order. The list owns the texts
// it passes: the callee may replace a text passed by reference, and whatever
// the slot holds afterwards is freed with the list.
class CallArguments {
 public:
  CallArguments() = default;
  CallArguments(const CallArguments&) = delete;
  CallArguments& operator=(const CallArguments&) = delete;

  void AddBool(bool value);
  void AddText(std::wstring_view text);             // VT_BSTR
  void AddTextByReference(std::wstring_view text);  // VT_BSTR | VT_BYREF

  std::span<VARIANTARG> Variants() noexcept { return variants_; }

 private:
  VARIANTARG& Add(VARTYPE type);
  BSTR* NewText(std::wstring_view text);

  std::vector<VARIANTARG> variants_;
  std::deque<UniqueBstr> texts_;  // a deque keeps each slot in place as texts are added
};

// Looks up the member `name` of `object` (case-insensitively, as IDispatch
// does) and invokes it as a method with `arguments`; the result is dropped. A
// failure is raised as an automation error: the number and description that
// the object reported, or those of the failing call.
void CallMethod(IDispatch& object, const wchar_t* name, CallArguments& arguments);
