#pragma once

namespace zavevad::fuzz {

/// Set-up shared by every fuzz target, run once from LLVMFuzzerInitialize:
/// the locale the program follows (Polish on a system without one) and a
/// message handler that keeps Qt's warnings about odd input off the output.
void initialiseCore(int *argc, char ***argv);

/// initialiseCore and a QGuiApplication on the offscreen platform, which the
/// chart renderer needs for its fonts.
void initialiseGui(int *argc, char ***argv);

/// Reports a condition that does not hold and aborts, which libFuzzer records
/// as a crash with its input.
[[noreturn]] void fail(const char *condition, const char *file, int line);

} // namespace zavevad::fuzz
