// A crash ends the process before Qt Test can report; the handler names the
// seed and the action so that the run can be repeated.
#pragma once

namespace sumvane::session {

void InstallCrashReport(unsigned long long seed);
// The action under way, for the report of a crash.
void SetCrashAction(int action);

}  // namespace sumvane::session
