#include "KEReport.h"

#include <cstdarg>
#include <cstdio>
#include <string>

void KEReport(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list again;
  va_copy(again, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, arguments);
  va_end(arguments);
  std::string line(length > 0 ? size_t(length) : 0, '\0');
  std::vsnprintf(line.data(), line.size() + 1, format, again);
  va_end(again);
  // Standard error is unbuffered: one call is one write.
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}
