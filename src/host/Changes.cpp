// Change events and transactions of the public host API.
#include <quillon/host.hpp>

#include "Guard.hpp"

#include <kovo/Changes.hpp>

#include <exception>
#include <utility>

namespace quillon {

using host::arrayOf;
using host::guarded;

namespace {

kovo::HostChange const& changeOf(void const* change) { return *static_cast<kovo::HostChange const*>(change); }

// A value made for the caller: its one reference moves on to the Value.
Value valueOf(kovo::ArrayPtr&& a) { return a ? Value::adopt(a.detach()) : Value(); }

}  // namespace

std::string_view ChangeEvent::kind() const { return changeOf(fChange).kind; }
std::string_view ChangeEvent::property() const { return changeOf(fChange).property; }
std::size_t ChangeEvent::position() const { return changeOf(fChange).position; }
Value ChangeEvent::element() const { return guarded([&] { return valueOf(changeOf(fChange).element()); }); }
Value ChangeEvent::oldValue() const { return guarded([&] { return valueOf(changeOf(fChange).oldValue()); }); }
Value ChangeEvent::newValue() const { return guarded([&] { return valueOf(changeOf(fChange).newValue()); }); }

Subscription Host::observe(Value const& target, ChangeCallback callback) const {
  return guarded([&] {
    if (!target.isObject() || target.numel() != 1)
      throw Error("Only an element or a model can be observed");
    kovo::ArrayPtr const t = arrayOf(target);
    std::uint64_t const id = kovo::changeService().observe(
        t.get(), [cb = std::move(callback)](kovo::HostChange const& c) {
          try {
            cb(ChangeEvent(&c));
          } catch (...) {
            kovo::reportCallbackError(std::current_exception());
          }
        });
    return Subscription(id);
  });
}

Host::ErrorSink Host::setErrorSink(ErrorSink sink) { return kovo::setErrorSink(std::move(sink)); }

Subscription::~Subscription() { close(); }

Subscription& Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    close();
    fId = std::exchange(other.fId, 0);
  }
  return *this;
}

void Subscription::close() noexcept {
  std::uint64_t const id = std::exchange(fId, 0);
  if (id == 0) return;
  try {
    guarded([id] { kovo::changeService().stopObserving(id); });
  } catch (...) {
    kovo::reportCallbackError(std::current_exception());
  }
}

Transaction::Transaction(Host const&, Value const& model) {
  fId = guarded([&] {
    if (!model.isObject() || model.numel() != 1) throw Error("A transaction needs a model");
    kovo::ArrayPtr const m = arrayOf(model);
    return kovo::changeService().beginTransaction(m.get());
  });
}

Transaction::~Transaction() {
  if (fId == 0) return;
  try {
    guarded([this] { kovo::changeService().transaction(fId, kovo::ChangeService::Step::End); });
  } catch (...) {
    kovo::reportCallbackError(std::current_exception());
  }
}

namespace {
void step(std::uint64_t id, kovo::ChangeService::Step s) {
  guarded([&] {
    if (id == 0) throw Error("The transaction has ended");
    kovo::changeService().transaction(id, s);
  });
}
}  // namespace

void Transaction::commit() { step(fId, kovo::ChangeService::Step::Commit); }
void Transaction::rollback() { step(fId, kovo::ChangeService::Step::Rollback); }
void Transaction::undo() { step(fId, kovo::ChangeService::Step::Undo); }
void Transaction::redo() { step(fId, kovo::ChangeService::Step::Redo); }

}  // namespace quillon
