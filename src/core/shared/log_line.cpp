#include "core/shared/log_line.h"

#include <cstdio>
#include <mutex>

namespace kw {

namespace {

std::mutex& SinkMutex() {
  static std::mutex mutex;
  return mutex;
}

LogSink& Sink() {
  static LogSink sink;
  return sink;
}

}  // namespace

void LogLine(const std::string& text) {
  const std::lock_guard<std::mutex> lock(SinkMutex());
  if (Sink()) {
    Sink()(text);
    return;
  }
  std::fprintf(stderr, "kestrelwing: %s\n", text.c_str());
}

LogSink SetLogSink(LogSink sink) {
  const std::lock_guard<std::mutex> lock(SinkMutex());
  LogSink before = std::move(Sink());
  Sink() = std::move(sink);
  return before;
}

}  // namespace kw
