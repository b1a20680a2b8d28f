#pragma once

// Keeps a function out of its callers, so that a caller's common path does not carry
// the stack frame and saved registers of a step it rarely takes.
#if defined(__GNUC__) || defined(__clang__)
#define PELUNITS_OUT_OF_LINE __attribute__((noinline))
#elif defined(_MSC_VER)
#define PELUNITS_OUT_OF_LINE __declspec(noinline)
#else
#define PELUNITS_OUT_OF_LINE
#endif
