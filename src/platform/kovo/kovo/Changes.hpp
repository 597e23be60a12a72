// Change events and transactions as the host sees them. A module that holds
// model data offers them (it registers the service when it loads); the public
// API reaches them here, with host values only.
#pragma once

#include <kovo/HostArray.hpp>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string_view>

namespace kovo {

// One change as the host sees it. Its host values are made when a receiver
// asks for them, and only while the change is being delivered: a receiver
// that wants them later keeps the arrays, not the change. Each call makes
// the value anew.
class HostChange {
 public:
  std::string_view kind;  // "set", "unset", "add", "remove", "move", "clear", "create", "delete"
  std::string_view property;  // the host name; empty for create and delete
  std::size_t position = 0;  // 1-based for sequence changes; 0 otherwise

  virtual ArrayPtr element() const = 0;
  virtual ArrayPtr oldValue() const = 0;
  virtual ArrayPtr newValue() const = 0;

 protected:
  HostChange() = default;
  HostChange(HostChange const&) = default;
  HostChange& operator=(HostChange const&) = default;
  ~HostChange() = default;
};

using ChangeCallback = std::function<void(HostChange const&)>;

class ChangeService {
 public:
  enum class Step { Commit, Rollback, Undo, Redo, End };

  virtual ~ChangeService() = default;
  // The target is an element or a model; anything else fails.
  virtual std::uint64_t observe(HostArray const* target, ChangeCallback callback) = 0;
  virtual void stopObserving(std::uint64_t id) = 0;
  virtual std::uint64_t beginTransaction(HostArray const* model) = 0;
  // End rolls back an open transaction and forgets it.
  virtual void transaction(std::uint64_t id, Step step) = 0;
  virtual void deliver() = 0;
};

// Set once by the module that offers it.
void setChangeService(ChangeService* service);
// The service; fails with a HostError when no loaded module offers one.
ChangeService& changeService();
// Hands queued changes to their observers; nothing when no service is set.
// Called after every host call.
void deliverChanges();

// Where failures of callbacks go (a callback that threw, a rollback that
// failed where nobody can be told): the sink, or the host's console when
// none is set. Returns the previous sink.
using ErrorSink = std::function<void(std::exception_ptr)>;
ErrorSink setErrorSink(ErrorSink sink);
void reportCallbackError(std::exception_ptr error) noexcept;

}  // namespace kovo
