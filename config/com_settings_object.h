// The program's settings objects: the registered class, created by its ProgID
// and called through IDispatch.
#pragma once

#include <memory>

#include "late_bound_object.h"

// A new object of the settings class; raises the object-creation error when the
// class cannot be created. Needs the calling thread's COM apartment.
std::unique_ptr<LateBoundObject> NewComSettingsObject();
