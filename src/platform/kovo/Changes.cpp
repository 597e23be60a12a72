// The host's end of change events: the service a module registers, and the
// sink of errors nobody else can be told about.
#include <kovo/Changes.hpp>
#include <kovo/Core.hpp>

#include <cstdio>
#include <exception>
#include <utility>

namespace kovo {

namespace {

ChangeService* gService = nullptr;

ErrorSink& errorSink() {
  static auto* sink = new ErrorSink;
  return *sink;
}

}  // namespace

void setChangeService(ChangeService* service) { gService = service; }

ChangeService& changeService() {
  if (!gService) throw HostError("Change events need a loaded module that holds models");
  return *gService;
}

void deliverChanges() {
  if (gService) gService->deliver();
}

ErrorSink setErrorSink(ErrorSink sink) {
  std::lock_guard lock(hostMutex());
  return std::exchange(errorSink(), std::move(sink));
}

void reportCallbackError(std::exception_ptr error) noexcept {
  try {
    std::lock_guard lock(hostMutex());
    if (ErrorSink const& sink = errorSink()) return sink(error);
    try {
      std::rethrow_exception(error);
    } catch (std::exception const& e) {
      zkPrintf("Error in a change callback: %s\n", e.what());
    } catch (...) {
      zkPrintf("Error in a change callback\n");
    }
  } catch (...) {
    std::fputs("Error in the change error sink\n", stderr);
  }
}

}  // namespace kovo
