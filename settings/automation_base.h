// Stands in for the header that the IDL compiler expects beside the base
// interface declarations: the platform headers already declare them.
#pragma once

#include <windows.h>
#include <oaidl.h>
