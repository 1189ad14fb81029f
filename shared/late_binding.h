// Calling methods of an automation object by name (late binding).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <span>
#include <string>

// Looks up the member `name` of `object` (case-insensitively, as IDispatch
// does) and invokes it as a method with `arguments`, given in call order; the
// result is dropped. A failure is raised as an automation error: the number
// and description that the object reported, or those of the failing call.
void CallMethod(IDispatch& object, const wchar_t* name, std::span<VARIANTARG> arguments);

// The same, handing back the method's result as text (ToText of the result).
std::wstring CallMethodForText(IDispatch& object, const wchar_t* name,
                               std::span<VARIANTARG> arguments);

// Arguments for the calls above: a Boolean, and a text that the caller owns
// and keeps alive for the call.
VARIANTARG BoolArgument(bool value) noexcept;
VARIANTARG TextArgument(BSTR text) noexcept;
