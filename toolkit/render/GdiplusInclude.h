#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
