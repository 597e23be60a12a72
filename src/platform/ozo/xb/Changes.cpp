// Change events and transactions for the host: subscriptions whose
// callbacks receive host values, and transactions by id. A single value
// travels in the form a read of its property gives (the property's own
// descriptor converts it); items of sequences by their kind.
#include <xb/Convert.hpp>
#include <xb/Marshal.hpp>
#include <xb/Property.hpp>

#include <Ozo/Changes.hpp>
#include <Ozo/Element.hpp>
#include <Ozo/Library.hpp>
#include <kovo/Changes.hpp>
#include <kovo/Runtime.hpp>

#include <exception>
#include <map>
#include <memory>
#include <utility>

namespace Ozo::xb {

namespace {

constexpr char kChangesHeader[] = "ozo_xb/Changes";

kovo::ArrayPtr valueOf(kovo::COSValue word, char const* type) {
  return kovo::Runtime::valueOfWord(word, internedName(type));
}

kovo::ArrayPtr elementValue(ImmutableObject const& e) {
  if (!e.isValid()) return valueOf(0, names::kObject);
  char const* const cls = e.get()->getKovoName(false);
  return kovo::Runtime::valueOfWord(returnObject(e, internedName(cls), false), internedName(cls));
}

// One item of a sequence of `kind`.
kovo::ArrayPtr itemValue(meta::ValueKind kind, Object const& item) {
  if (!item.isValid()) return valueOf(0, names::kObject);
  switch (kind) {
    case meta::ValueKind::Integer: return valueOf(Convert<Integer>::out(Integer(item), {}), names::kInt32);
    case meta::ValueKind::Real: return valueOf(Convert<Real>::out(Real(item), {}), names::kDouble);
    case meta::ValueKind::Boolean: return valueOf(Convert<Boolean>::out(Boolean(item), {}), names::kLogical);
    case meta::ValueKind::String: return valueOf(Convert<String>::out(String(item), {}), "char vector");
    case meta::ValueKind::Element:
    case meta::ValueKind::Value: break;
  }
  return elementValue(item);
}

// The items a clear took out: elements as an object array, other values as
// a list of their kind.
kovo::ArrayPtr itemsValue(meta::ValueKind kind, std::vector<Object> const& items) {
  if (kind == meta::ValueKind::Element || kind == meta::ValueKind::Value) {
    std::vector<ImmutableObject> all(items.begin(), items.end());
    return valueOf(returnObjects(all, false, names::kObject), names::kObject);
  }
  Object const list(newFreeCollection(kind), Deviant{});
  auto* const c = dynamic_cast<NSInterface::CollectionIntf*>(list.get());
  for (Object const& item : items) c->insert(c->size(), item);
  char const* const cls = list.get()->getKovoName(false);
  return kovo::Runtime::valueOfWord(returnObject(list, internedName(cls), false), internedName(cls));
}

// The descriptor the host reads the property of the element through, or
// null when the host does not show it. Remembered per host class and
// property: classes and their descriptors live as long as the process, and
// a class's members do not change once it is in use (the host lock is held).
OzoxbProperty* descriptorOf(ImmutableObject const& element, char const* hostName) {
  char const* const className = element.get()->getKovoName(false);
  static auto* const known = new std::map<std::pair<char const*, char const*>, OzoxbProperty*>;
  auto const key = std::make_pair(className, hostName);
  if (auto const it = known->find(key); it != known->end()) return it->second;
  kovo::COSClass* const cls = kovo::COSClass::find(className);
  kovo::COSPropInfo* const p = cls ? cls->findProperty(hostName) : nullptr;
  auto* const found = dynamic_cast<OzoxbProperty*>(p);
  if (found) known->emplace(key, found);  // nothing is kept from a failed lookup
  return found;
}

kovo::ArrayPtr singleValue(OzoxbProperty* p, meta::PropertyDef const& d, Object const& v, bool set) {
  if (p) return kovo::Runtime::valueOfWord(p->hostForm(v, set), p->dataType());
  return itemValue(d.kind, set ? v : Object());
}

// A change whose host values are made only when the receiver reads them:
// an observer that looks at the kind alone makes no host array.
class LazyHostChange final : public kovo::HostChange {
 public:
  explicit LazyHostChange(Change const& c) : fChange(c) {
    kind = changeKindName(c.kind);
    if (!c.property) return;
    property = hostNameOf(c.property->def());
    if (c.hasPosition) position = c.position + 1;
  }

  kovo::ArrayPtr element() const override {
    return elementValue(ImmutableObject(fChange.element.get(), fChange.element.deviant()));
  }
  kovo::ArrayPtr oldValue() const override { return value(true); }
  kovo::ArrayPtr newValue() const override { return value(false); }

 private:
  kovo::ArrayPtr value(bool old) const {
    Change const& c = fChange;
    if (!c.property) return valueOf(0, names::kObject);
    meta::PropertyDef const& d = c.property->def();
    switch (c.kind) {
      case ChangeKind::Move:
        return valueOf(kovo::fromInt32(static_cast<std::int32_t>((old ? c.from : c.position) + 1)), names::kInt32);
      case ChangeKind::Clear:
        return itemsValue(d.kind, old ? c.items : std::vector<Object>{});
      default:
        break;
    }
    Object const& v = old ? c.oldValue : c.newValue;
    if (c.hasPosition || c.many()) return itemValue(d.kind, v);
    ImmutableObject const element(c.element.get(), c.element.deviant());
    OzoxbProperty* const p = descriptorOf(element, property.data());
    return singleValue(p, d, v, (old ? c.wasSet : c.isSet) || v.isValid());
  }

  Change const& fChange;
};

class HostObserver final : public ChangeObserver {
 public:
  explicit HostObserver(kovo::ChangeCallback callback) : fCallback(std::move(callback)) {}
  void changed(Change const& change) noexcept override {
    try {
      fCallback(LazyHostChange(change));
    } catch (...) {
      kovo::reportCallbackError(std::current_exception());
    }
  }

 private:
  kovo::ChangeCallback fCallback;
};

class Service final : public kovo::ChangeService {
 public:
  std::uint64_t observe(kovo::HostArray const* target, kovo::ChangeCallback callback) override {
    ImmutableObject const t = toHandle(target, internedName(names::kImmutableObject));
    OZO_ASSERT_AT(kChangesHeader, 20, t.isValid(), "%s", "Only an element or a model can be observed");
    return observeChanges(t, std::make_shared<HostObserver>(std::move(callback)));
  }

  void stopObserving(std::uint64_t id) override { Ozo::stopObserving(id); }

  std::uint64_t beginTransaction(kovo::HostArray const* model) override {
    ImmutableObject const m = toHandle(model, internedName(names::kImmutableObject));
    auto* const intf = dynamic_cast<NSInterface::ModelIntf*>(m.get());
    OZO_ASSERT_AT(kChangesHeader, 30, intf != nullptr, "%s", "A transaction needs a model");
    auto t = std::make_unique<Transaction>(Model(intf, m.deviant()));
    std::uint64_t const id = ++fLastId;
    fTransactions.emplace(id, std::move(t));
    return id;
  }

  void transaction(std::uint64_t id, Step step) override {
    auto const it = fTransactions.find(id);
    OZO_ASSERT_AT(kChangesHeader, 40, it != fTransactions.end(), "%s", "The transaction has ended");
    Transaction& t = *it->second;
    switch (step) {
      case Step::Commit: return t.commit();
      case Step::Rollback: return t.rollback();
      case Step::Undo: return t.undo();
      case Step::Redo: return t.redo();
      case Step::End: break;
    }
    // Forgotten even when its rollback fails; the failure goes on to the caller.
    std::unique_ptr<Transaction> const ending = std::move(it->second);
    fTransactions.erase(it);
    if (ending->state() == Transaction::State::Open) ending->rollback();
  }

  void deliver() override { deliverChanges(); }

 private:
  std::uint64_t fLastId = 0;
  std::map<std::uint64_t, std::unique_ptr<Transaction>> fTransactions;
};

}  // namespace

void registerChangeService() {
  static auto* const service = new Service;
  kovo::setChangeService(service);
}

}  // namespace Ozo::xb
