#pragma once
// Owns one kernel handle (mutex, thread, process, file) and closes it exactly once, on every
// path. Both null and INVALID_HANDLE_VALUE mean "none".
#include "OwnedHandle.h"

using UniqueHandle = UniqueKernelHandle;
