#include "random_session/crash_report.h"

#include <unistd.h>

#include <QByteArray>
#include <algorithm>
#include <csignal>
#include <cstring>

// Present only in a sanitizer build; lets a sanitizer's fatal report name the
// seed and the action as well.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace sumvane::session {

namespace {

char g_crashSeed[32] = "?";
volatile std::sig_atomic_t g_crashAction = 0;

void WriteRaw(const char* text) {
  const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
  (void)ignored;
}

// Only async-signal-safe calls: the number is written by hand.
void WriteCrashContext() {
  char digits[16];
  int n = 0;
  for (long value = g_crashAction; n == 0 || value > 0; value /= 10) {
    digits[n++] = static_cast<char>('0' + value % 10);
  }
  char action[17];
  for (int i = 0; i < n; ++i) action[i] = digits[n - 1 - i];
  action[n] = '\0';
  WriteRaw("\n*** random session died: SUMVANE_SEED=");
  WriteRaw(g_crashSeed);
  WriteRaw(" at action ");
  WriteRaw(action);
  WriteRaw(" ***\n");
}

extern "C" void OnFatalSignal(int signal) {
  WriteCrashContext();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

void InstallCrashReport(unsigned long long seed) {
  const QByteArray text = QByteArray::number(seed);
  std::memcpy(g_crashSeed, text.constData(),
              std::min<std::size_t>(text.size() + 1, sizeof(g_crashSeed) - 1));
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(signal, OnFatalSignal);
  if (__sanitizer_set_death_callback != nullptr) __sanitizer_set_death_callback(WriteCrashContext);
}

void SetCrashAction(int action) { g_crashAction = action; }

}  // namespace sumvane::session
