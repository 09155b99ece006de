#pragma once

// A broken promise stops the fuzzing run, naming the line that caught it.

#include <cstdio>
#include <cstdlib>

#define Check(condition)                                                           \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (false)
