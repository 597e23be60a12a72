// Change events: the queue and its delivery, subscriptions, transactions.
#include <Ozo/Changes.hpp>
#include <Ozo/Internal.hpp>

#include <kovo/Changes.hpp>

#include <algorithm>
#include <exception>
#include <unordered_map>
#include <utility>

namespace Ozo {

using detail::ChangeHub;
using detail::ElementAccess;
using detail::kChangesHeader;
using detail::PropertyImpl;

namespace {

// Changes wait in `pending` from `next` on; delivery takes them in order and
// empties the list when it has taken the last, keeping a small list's room
// for the next change, so that a watched write allocates nothing here.
struct Queue {
  std::vector<Change> pending;
  std::size_t next = 0;
  std::vector<std::pair<std::uint64_t, std::shared_ptr<ChangeObserver>>> receivers;  // of the change delivered
  bool delivering = false;
  std::uint64_t lastId = 0;
  std::unordered_map<std::uint64_t, NSInterface::ModelIntf*> subscriptions;  // id -> model of its hub
};

Queue& queue() {
  static auto* q = new Queue;
  return *q;
}

PropertyImpl const& propertyOf(Change const& c) { return *static_cast<PropertyImpl const*>(c.property); }

NSInterface::CollectionIntf& collectionOf(Change const& c) {
  PropertyImpl const& p = propertyOf(c);
  Object const list = c.core()->get(p.declaring(), p.id());
  return *dynamic_cast<NSInterface::CollectionIntf*>(list.get());
}

void emitLifecycle(ChangeKind kind, ElementBase* e) {
  if (ChangeHub* const hub = detail::activeHub(e->modelIntf())) {
    Change c;
    c.kind = kind;
    c.element = ClassObject(e->self(), Deviant{});
    detail::emitChange(hub, std::move(c));
  }
}

// Applies one recorded change again (forwards) or its inverse (backwards).
// Elements whose creation is undone are collected in `out`, to leave the
// model together at the end.
void apply(Change const& c, bool backwards, std::vector<ElementBase*>& out) {
  if (c.ownerSide) return;  // its ownership change undoes and redoes it
  ElementBase* const e = c.core();
  bool const undoing = backwards;
  switch (c.kind) {
    case ChangeKind::Create:
    case ChangeKind::Delete:
      if ((c.kind == ChangeKind::Create) == undoing) {
        out.push_back(e);
      } else {
        detail::putBack(e);
        emitLifecycle(ChangeKind::Create, e);
      }
      return;
    case ChangeKind::Clear:
      if (undoing) {
        NSInterface::CollectionIntf& list = collectionOf(c);
        std::size_t at = 0;
        for (Object const& item : c.items)
          if (item.isValid()) list.insert(at++, item);  // a link into a model that is gone stays gone
      } else {
        collectionOf(c).clear();
      }
      return;
    case ChangeKind::Add:
    case ChangeKind::Remove:
      if ((c.kind == ChangeKind::Add) == undoing)
        collectionOf(c).erase(c.position);
      else
        collectionOf(c).insert(c.position, undoing ? c.oldValue : c.newValue);
      return;
    case ChangeKind::Move: {
      // Inserting an item that is already in the list moves it; the place
      // asked for counts the item itself when it lies before.
      std::size_t const to = undoing ? c.from : c.position;
      std::size_t const at = undoing ? c.position : c.from;
      collectionOf(c).insert(to > at ? to + 1 : to, c.newValue);
      return;
    }
    case ChangeKind::Set:
    case ChangeKind::Unset:
      break;
  }
  if (c.hasPosition) {
    collectionOf(c).replace(c.position, undoing ? c.oldValue : c.newValue);
    return;
  }
  PropertyImpl const& p = propertyOf(c);
  bool const set = undoing ? c.wasSet : c.isSet;
  Object const& value = undoing ? c.oldValue : c.newValue;
  if (set && value.isValid())
    e->set(p.declaring(), p.id(), value);
  else
    e->unset(p.declaring(), p.id());
}

}  // namespace

char const* changeKindName(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::Set: return "set";
    case ChangeKind::Unset: return "unset";
    case ChangeKind::Add: return "add";
    case ChangeKind::Remove: return "remove";
    case ChangeKind::Move: return "move";
    case ChangeKind::Clear: return "clear";
    case ChangeKind::Create: return "create";
    case ChangeKind::Delete: return "delete";
  }
  return "set";
}

ElementBase* Change::core() const { return element.get() ? element.get()->elementCore() : nullptr; }

bool Change::many() const { return property && property->def().multiplicity == meta::Multiplicity::Many; }

void elementCreated(ElementBase* element) { emitLifecycle(ChangeKind::Create, element); }

// ---------------------------------------------------------------------------
void detail::emitChange(ChangeHub* hub, Change&& change) {
  if (hub->transaction) hub->transaction->record(change);
  if (!hub->observers.empty()) queue().pending.push_back(std::move(change));
}

bool detail::hubActive(ChangeHub const* hub) { return hub && hub->active(); }

bool changesPending() {
  Queue const& q = queue();
  return q.next < q.pending.size();
}

void deliverChanges() {
  Queue& q = queue();
  if (q.delivering || q.next == q.pending.size()) return;
  q.delivering = true;
  struct Done {
    Queue& q;
    ~Done() {
      q.receivers.clear();
      q.pending.clear();
      q.next = 0;
      if (q.pending.capacity() > 64) std::vector<Change>().swap(q.pending);
      q.delivering = false;
    }
  } const done{q};
  while (q.next < q.pending.size()) {
    // Moved out first: an observer's changes may grow the list under it.
    Change const c = std::move(q.pending[q.next++]);
    ElementBase* const e = c.core();
    ChangeHub* const hub = e ? detail::activeHub(e->modelIntf()) : nullptr;
    if (!hub) continue;
    // Those subscribed now; one closed by an earlier observer of this change
    // gets it no more.
    q.receivers.clear();
    for (detail::ObserverEntry const& s : hub->observers)
      if (!s.element || s.element == e) q.receivers.emplace_back(s.id, s.observer);
    for (std::size_t i = 0; i < q.receivers.size(); ++i)
      if (q.subscriptions.count(q.receivers[i].first)) q.receivers[i].second->changed(c);
  }
}

std::uint64_t observeChanges(ImmutableObject const& target, std::shared_ptr<ChangeObserver> observer) {
  NSInterface::ObjectIntf* const o = target.get();
  NSInterface::ModelIntf* model = nullptr;
  ElementBase* element = nullptr;
  if (auto* const c = dynamic_cast<NSInterface::ClassObjectIntf*>(o)) {
    element = c->elementCore();
    if (element) model = element->modelIntf();
  } else if (o) {
    model = dynamic_cast<NSInterface::ModelIntf*>(o);
  }
  OZO_ASSERT_AT(kChangesHeader, 70, model != nullptr, "%s", "Only an element or a model can be observed");
  ChangeHub& hub = detail::hubFor(model);
  Queue& q = queue();
  std::uint64_t const id = ++q.lastId;
  q.subscriptions.emplace(id, model);
  try {
    hub.observers.push_back({id, element, target, std::move(observer)});
  } catch (...) {
    q.subscriptions.erase(id);
    throw;
  }
  return id;
}

void stopObserving(std::uint64_t id) {
  Queue& q = queue();
  auto const it = q.subscriptions.find(id);
  if (it == q.subscriptions.end()) return;
  ChangeHub& hub = detail::hubFor(it->second);
  q.subscriptions.erase(it);
  auto const at = std::find_if(hub.observers.begin(), hub.observers.end(),
                               [id](detail::ObserverEntry const& s) { return s.id == id; });
  // The entry holds the target, which may hold the last reference of the
  // model and with it the hub: it goes after the hub is left alone.
  detail::ObserverEntry const gone = std::move(*at);
  hub.observers.erase(at);
}

// ---------------------------------------------------------------------------
Transaction::Transaction(Model const& model) : fModel(model) {
  NSInterface::ModelIntf* const m = model.checkedModel();
  OZO_ASSERT_AT(kChangesHeader, 60, !m->isReadOnly(), "Model \"%s\" is read-only: it cannot have a transaction",
                m->name().c_str());
  ChangeHub& hub = detail::hubFor(m);
  OZO_ASSERT_AT(kChangesHeader, 62, hub.transaction == nullptr, "Model \"%s\" already has an open transaction",
                m->name().c_str());
  hub.transaction = this;
}

Transaction::~Transaction() {
  if (fState != State::Open) return;
  try {
    rollback();
  } catch (...) {
    detail::hubFor(fModel.get()).transaction = nullptr;
    kovo::reportCallbackError(std::current_exception());
  }
}

void Transaction::record(Change const& change) { fLog.push_back(change); }

void Transaction::commit() {
  OZO_ASSERT_AT(kChangesHeader, 80, fState == State::Open, "%s", "The transaction is not open");
  detail::hubFor(fModel.get()).transaction = nullptr;
  fState = State::Committed;
}

void Transaction::rollback() {
  OZO_ASSERT_AT(kChangesHeader, 80, fState == State::Open, "%s", "The transaction is not open");
  detail::hubFor(fModel.get()).transaction = nullptr;
  fState = State::RolledBack;
  replay(true);
  std::vector<Change>().swap(fLog);  // nothing to redo: what it holds may go
}

void Transaction::undo() {
  OZO_ASSERT_AT(kChangesHeader, 90, fState == State::Committed, "%s",
                "Only a committed transaction can be undone");
  replay(true);
  fState = State::Undone;
}

void Transaction::redo() {
  OZO_ASSERT_AT(kChangesHeader, 92, fState == State::Undone, "%s", "Only an undone transaction can be redone");
  replay(false);
  fState = State::Committed;
}

void Transaction::replay(bool backwards) {
  NSInterface::ModelIntf* const m = fModel.get();
  // The model's protection is its users' business: what was done is undone
  // whatever it says now.
  struct Protection {
    NSInterface::ModelIntf* m;
    bool readOnly;
    ~Protection() { m->setReadOnly(readOnly); }
  } const protection{m, m->isReadOnly()};
  m->setReadOnly(false);
  // All or nothing: when a change cannot be made (the model was edited since
  // in a way this log did not foresee), what this replay did is done the
  // other way again, latest first, and the failure goes on to the caller.
  std::vector<ElementBase*> out;
  std::size_t done = 0;
  auto const at = [&](std::size_t i) -> Change const& { return backwards ? fLog[fLog.size() - 1 - i] : fLog[i]; };
  try {
    for (; done < fLog.size(); ++done) apply(at(done), backwards, out);
  } catch (...) {
    restore(done, backwards);
    throw;
  }
  if (out.empty()) return;
  detail::takeOut(m, out);
  for (ElementBase* e : out) emitLifecycle(ChangeKind::Delete, e);
}

void Transaction::restore(std::size_t done, bool backwards) noexcept {
  auto const at = [&](std::size_t i) -> Change const& { return backwards ? fLog[fLog.size() - 1 - i] : fLog[i]; };
  try {
    std::vector<ElementBase*> out;
    for (std::size_t i = done; i-- > 0;) {
      Change const& c = at(i);
      // A creation or deletion that was to leave the model at the end has
      // not left it yet: nothing to restore.
      bool const life = c.kind == ChangeKind::Create || c.kind == ChangeKind::Delete;
      if (life && (c.kind == ChangeKind::Create) == backwards) continue;
      apply(c, !backwards, out);
    }
    if (out.empty()) return;
    detail::takeOut(fModel.get(), out);
    for (ElementBase* e : out) emitLifecycle(ChangeKind::Delete, e);
  } catch (...) {
    kovo::reportCallbackError(std::current_exception());
  }
}

}  // namespace Ozo
