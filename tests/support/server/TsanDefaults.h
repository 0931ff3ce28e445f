#pragma once
// Under the thread sanitizer, Qt and GLib are not instrumented: the sanitizer cannot see the
// synchronisation inside them (queued events between threads, atomic reference counts) and
// reports the hand-overs they make as races. These defaults suppress reports that pass through
// them; races between our own threads through our own locks are still reported. Include this in
// exactly one source file of a test program.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_options() { return "ignore_noninstrumented_modules=1:second_deadlock_stack=1"; }
extern "C" const char* __tsan_default_suppressions() {
  return "race:libQt6Core.so\n"
         "race:libQt6Network.so\n"
         "race:libQt6Gui.so\n"
         "race:libQt6Widgets.so\n"
         "race:libglib-2.0.so\n"
         "race:qobjectdefs_impl.h\n"
         "deadlock:libQt6Core.so\n";
}
#endif
