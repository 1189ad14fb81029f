#include "com_settings_object.h"

#include <windows.h>

#include "com_ptr.h"
#include "late_binding.h"
#include "object_factory.h"
#include "program_identity.h"

namespace {

class ComSettingsObject final : public LateBoundObject {
 public:
  ComSettingsObject() : object_(CreateObjectByProgID(GetSettingsProgID())) {}

  void Call(const wchar_t* name, std::span<const CallArgument> arguments) override {
    CallArguments variants;
    for (const CallArgument& argument : arguments) {
      switch (argument.form) {
        case CallArgument::Form::Boolean:
          variants.AddBool(argument.boolean);
          break;
        case CallArgument::Form::Text:
          variants.AddText(argument.text);
          break;
        case CallArgument::Form::TextByReference:
          variants.AddTextByReference(argument.text);
          break;
      }
    }
    CallMethod(*object_.get(), name, variants);
  }

 private:
  ComPtr<IDispatch> object_;
};

}  // namespace

std::unique_ptr<LateBoundObject> NewComSettingsObject() {
  return std::make_unique<ComSettingsObject>();
}
