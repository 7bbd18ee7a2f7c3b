// xcb's XKB header names a structure member "explicit"; this wraps it for C++.
#pragma once

#include <xcb/xcb.h>

#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
