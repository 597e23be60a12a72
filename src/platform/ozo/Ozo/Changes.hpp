// Change events and transactions.
//
// Every stored change of an element (a property set or unset, an item added,
// removed, moved or replaced, a sequence cleared, an element created) is made
// at one place in the runtime, and there, only when someone watches the
// element's model, it becomes a Change: what happened, with the values
// before and after. A model's changes go, at once and in order, to the
// model's open transaction (which keeps them to undo them), and to a queue
// from which deliverChanges hands them to observers. Delivery happens after
// the call that made the change (the host delivers after every call);
// changes an observer makes while one change is delivered join the end of
// the queue, so their events follow the one being delivered and no
// delivery runs inside another.
#pragma once

#include <Ozo/Meta.hpp>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Ozo {

class ElementBase;

enum class ChangeKind : std::uint8_t { Set, Unset, Add, Remove, Move, Clear, Create, Delete };

// "set", "unset", "add", "remove", "move", "clear", "create", "delete".
char const* changeKindName(ChangeKind kind);

struct Change {
  ChangeKind kind = ChangeKind::Set;
  ClassObject element;  // holds the element, and with it its model
  // The property changed (its most specific statement); null for create and
  // delete.
  NSInterface::PropertyIntf const* property = nullptr;
  // Single-valued: the value read before and after (an unset property's
  // default). Sequences: the item added, removed or replaced (old), or put
  // in (new); the moved item both.
  Object oldValue, newValue;
  bool wasSet = false, isSet = false;  // single-valued: whether a value was stored
  bool hasPosition = false;
  std::size_t position = 0;  // 0-based: where the item is (was, for remove)
  std::size_t from = 0;      // move: where the item was
  std::vector<Object> items;  // clear: the items taken out, in order
  // The owner end of an ownership pair: it follows from the change of the
  // owner's composite property, which undoing undoes too.
  bool ownerSide = false;

  ElementBase* core() const;
  bool many() const;  // a sequence property
};

// Receives delivered changes. changed() must not throw: an observer reports
// its own failures.
class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  virtual void changed(Change const& change) noexcept = 0;
};

// Subscribes `observer` to the changes of `target`: an element (its own
// changes) or a model (every change in it). The subscription holds the
// target, and so its model, until it is closed. Fails for anything else.
std::uint64_t observeChanges(ImmutableObject const& target, std::shared_ptr<ChangeObserver> observer);
// Ends a subscription; an id that is not open (closed already) does nothing.
void stopObserving(std::uint64_t id);
// Delivers every queued change; see above. Returns at once when called
// during a delivery or when nothing is queued.
void deliverChanges();
bool changesPending();

// The changes of one model from its start, which it can roll back (the
// inverse of each change, latest first) and, once committed, undo and redo.
// At most one transaction is open on a model; a read-only model has none.
// A transaction holds its model: dropping every other reference to the
// model keeps it alive until the transaction ends.
//
// Elements created inside are taken out of the model when the transaction
// rolls back (and put back by redo). Such an element refuses every write and
// cannot be linked to while out; it is freed once nothing holds it.
class Transaction {
 public:
  enum class State : std::uint8_t { Open, Committed, RolledBack, Undone };

  explicit Transaction(Model const& model);
  ~Transaction();  // rolls back when still open
  Transaction(Transaction const&) = delete;
  Transaction& operator=(Transaction const&) = delete;

  State state() const { return fState; }
  std::size_t size() const { return fLog.size(); }
  void commit();
  void rollback();
  void undo();
  void redo();

  // Kept by the model's hub while open.
  void record(Change const& change);

 private:
  void replay(bool backwards);
  // Takes back the first `done` changes a failed replay made.
  void restore(std::size_t done, bool backwards) noexcept;
  Model fModel;
  std::vector<Change> fLog;
  State fState = State::Open;
};

namespace detail {

// What watches one model: its open transaction and its observers.
struct ChangeHub;

// The model's hub when something watches it, else null: the one check every
// change makes.
inline ChangeHub* activeHub(NSInterface::ModelIntf* model) { return model->changeHub(); }
// Takes a change made in a watched model.
void emitChange(ChangeHub* hub, Change&& change);
bool hubActive(ChangeHub const* hub);

}  // namespace detail

}  // namespace Ozo
