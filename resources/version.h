// The program's version, in one place: the resource scripts (version resources, the help box)
// and q4k --version take it from here, and scripts/package names the archives after it.
#pragma once

#define Q4_VERSION_MAJOR 1
#define Q4_VERSION_MINOR 0
#define Q4_VERSION_PATCH 5
// As the help box and the archives show it: major "." minor and patch digits.
#define Q4_VERSION_TEXT "1.05"

#ifndef RC_INVOKED
// The text must agree with the numbers the version resources carry.
static_assert(Q4_VERSION_MINOR < 10 && Q4_VERSION_PATCH < 10 && Q4_VERSION_TEXT[0] == '0' + Q4_VERSION_MAJOR &&
                  Q4_VERSION_TEXT[1] == '.' && Q4_VERSION_TEXT[2] == '0' + Q4_VERSION_MINOR &&
                  Q4_VERSION_TEXT[3] == '0' + Q4_VERSION_PATCH && Q4_VERSION_TEXT[4] == '\0',
              "Q4_VERSION_TEXT does not match the version numbers");
#endif
