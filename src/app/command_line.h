// The command line: `sumvane [文件]` imports the file at start; --help and
// --version print in Chinese and end the program. It is read before any
// window or platform exists, so that help and version need no display.
#pragma once

#include <QString>
#include <optional>

namespace sumvane {

struct CommandLine {
  // Set when the program ends here: help, version, or a mistake, printed.
  std::optional<int> exitCode;
  // The file to import at start; empty for none.
  QString file;
};

CommandLine ReadCommandLine(int argc, char** argv);

}  // namespace sumvane
