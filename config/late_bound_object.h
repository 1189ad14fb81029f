// How the actions reach the settings component: each action asks for a new
// settings object and calls its members late-bound, by name, with arguments in
// the forms below. The program's objects are the registered COM class
// (com_settings_object.*); nothing here depends on COM.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>

// One argument of a call, in the form the object receives it.
struct CallArgument {
  enum class Form { Boolean, Text, TextByReference };

  static CallArgument Boolean(bool value) { return {Form::Boolean, value, {}}; }
  static CallArgument Text(std::wstring text) { return {Form::Text, false, std::move(text)}; }
  static CallArgument TextByReference(std::wstring text) {
    return {Form::TextByReference, false, std::move(text)};
  }

  Form form;
  bool boolean;       // Boolean
  std::wstring text;  // Text, TextByReference
};

// An object whose members are called by name.
class LateBoundObject {
 public:
  virtual ~LateBoundObject() = default;
  // Calls the member `name` as a method with `arguments` in call order; the
  // result is dropped. Raises the automation error that the call reports.
  virtual void Call(const wchar_t* name, std::span<const CallArgument> arguments) = 0;
};

// Creates a new settings object, released with its owner; raises the
// object-creation error when it cannot.
using NewSettingsObject = std::function<std::unique_ptr<LateBoundObject>()>;
