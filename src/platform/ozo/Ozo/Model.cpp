// Models and the model cache.
#include <Ozo/Internal.hpp>

#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <typeinfo>

#if defined(__SANITIZE_ADDRESS__)
#define OZO_ARENA_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OZO_ARENA_POISON 1
#endif
#endif
#ifdef OZO_ARENA_POISON
#include <sanitizer/asan_interface.h>
// Pieces not handed out are poisoned, so a use after an element's end is
// still caught inside the arena.
#define OZO_ARENA_HIDE(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define OZO_ARENA_SHOW(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define OZO_ARENA_HIDE(p, n) ((void)(p), (void)(n))
#define OZO_ARENA_SHOW(p, n) ((void)(p), (void)(n))
#endif

namespace Ozo {

// ---------------------------------------------------------------------------
namespace {
std::atomic<std::size_t> gArenaBytes{0};
// Blocks double from the first to the last size: a model of a few elements
// takes little, a large one few blocks.
constexpr std::size_t kFirstBlock = 1024;
constexpr std::size_t kLastBlock = 32 * 1024;
}  // namespace

struct detail::ElementArena::Block {
  Block* next;
  std::size_t bytes;  // the whole block, this header included
};

detail::ElementArena::~ElementArena() {
  for (Block* b = fBlocks; b;) {
    Block* const next = b->next;
    OZO_ARENA_SHOW(b, b->bytes);
    gArenaBytes.fetch_sub(b->bytes, std::memory_order_relaxed);
    std::free(b);
    b = next;
  }
}

std::size_t detail::ElementArena::reservedInProcess() { return gArenaBytes.load(std::memory_order_relaxed); }

void* detail::ElementArena::allocate(std::size_t bytes) {
  std::size_t const cls = sizeClass(bytes);
  if (cls * kGrain > kLargest) return ::operator new(bytes);
  if (void* const p = fFree[cls]) {
    OZO_ARENA_SHOW(p, cls * kGrain);
    fFree[cls] = *static_cast<void**>(p);
    return p;
  }
  return carve(cls);
}

void detail::ElementArena::deallocate(void* p, std::size_t bytes) noexcept {
  std::size_t const cls = sizeClass(bytes);
  if (cls * kGrain > kLargest) return ::operator delete(p);
  if (fClosing) {
    OZO_ARENA_HIDE(p, cls * kGrain);
    return;
  }
  *static_cast<void**>(p) = fFree[cls];
  fFree[cls] = p;
  OZO_ARENA_HIDE(p, cls * kGrain);
}

// A new piece from the end of the current block, or from a new block (the
// rest of the old one goes on the free list of its size).
void* detail::ElementArena::carve(std::size_t cls) {
  std::size_t const bytes = cls * kGrain;
  if (static_cast<std::size_t>(fEnd - fNext) < bytes) {
    std::size_t const size = fBlocks ? std::min(2 * fBlocks->bytes, kLastBlock) : kFirstBlock;
    void* const memory = std::malloc(size);
    if (!memory) throw std::bad_alloc();
    if (std::size_t const rest = static_cast<std::size_t>(fEnd - fNext); rest >= kGrain && rest <= kLargest) {
      OZO_ARENA_SHOW(fNext, rest);
      deallocate(fNext, rest - rest % kGrain);
    }
    fBlocks = ::new (memory) Block{fBlocks, size};
    fNext = static_cast<char*>(memory) + sizeof(Block);
    fEnd = static_cast<char*>(memory) + size;
    fReserved += size;
    gArenaBytes.fetch_add(size, std::memory_order_relaxed);
    OZO_ARENA_HIDE(fNext, static_cast<std::size_t>(fEnd - fNext));
  }
  void* const p = fNext;
  fNext += bytes;
  OZO_ARENA_SHOW(p, bytes);
  return p;
}

namespace {

class ModelImpl final : public NSInterface::ModelIntf {
 public:
  explicit ModelImpl(std::string name) : fName(std::move(name)), fLiveness(new detail::Liveness) {}

  void addRef() override { ++fUseCount; }
  void release() override {
    if (--fUseCount == 0) destroy();
  }
  ImmutableType getMetaType(Deviant const&) const override { return detail::runtimeType("Model"); }
  char const* getKovoName(bool immutable) const override { return immutable ? "Ozo.ImmutableModel" : "Ozo.Model"; }
  ImmutableModel getModel(Deviant const& d) const override {
    return ImmutableModel(const_cast<ModelImpl*>(this), d);
  }
  std::string toString(Deviant const&) const override { return "Model \"" + fName + "\""; }

  std::string name() const override { return fName; }
  void setUri(Deviant const&, String const& uri) override;
  bool isReadOnly() const override { return fReadOnly; }
  void setReadOnly(bool readOnly) override { fReadOnly = readOnly; }
  std::vector<NSInterface::ClassObjectIntf*> elements() const override {
    std::vector<NSInterface::ClassObjectIntf*> r;
    r.reserve(fElements.size());
    for (ElementBase* e : fElements) r.push_back(e->self());
    return r;
  }

  void adopt(ElementBase* e) {
    fElements.push_back(e);
    detail::ElementAccess::setId(e, ++fLastId);
  }
  void restoreId(ElementBase* e, std::uint32_t id) {
    detail::ElementAccess::setId(e, id);
    if (id > fLastId) fLastId = id;
  }
  std::vector<ElementBase*> const& elementCores() const { return fElements; }
  detail::ElementArena& arena() { return fArena; }
  detail::Liveness* liveness() const { return fLiveness; }

  detail::ChangeHub* changeHub() const override { return fHub && fHub->active() ? fHub.get() : nullptr; }
  detail::ChangeHub& hub() {
    if (!fHub) fHub = std::make_unique<detail::ChangeHub>();
    return *fHub;
  }

  void takeOut(std::vector<ElementBase*> const& elements) {
    for (ElementBase* e : elements) detail::ElementAccess::setTakenOut(e, true);
    std::erase_if(fElements, [](ElementBase* e) { return detail::ElementAccess::isTakenOut(e); });
    for (ElementBase* e : elements)
      if (e->self()->numRef() == 0) dispose(e);
  }
  void putBack(ElementBase* e) {
    detail::ElementAccess::setTakenOut(e, false);
    fElements.push_back(e);
  }
  // A taken-out element nothing holds. An element of another model may
  // still refer to it (its links are weak and uncounted), so while any such
  // link into this model exists it stays until the model goes.
  void dispose(ElementBase* e) {
    if (detail::ElementAccess::isBuried(e)) return;
    if (fLiveness->refs > 1) {
      detail::ElementAccess::setBuried(e);
      fBuried.push_back(e);
      return;
    }
    e->destroy();
  }

 private:
  // Nothing outside refers to the model or its elements any more (elements
  // with references keep the model alive), so all of them go now. Links from
  // other models are weak: they read empty from here on. Links to other
  // models are weak too, so nothing below destroys another model.
  void destroy() {
    fLiveness->alive = false;
    detail::releaseLiveness(std::exchange(fLiveness, nullptr));
    ModelCache::remove(this);
    std::vector<ElementBase*> const elements = std::move(fElements);
    fArena.close();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) (*it)->destroy();
    for (ElementBase* e : fBuried) e->destroy();
    delete this;
  }

  // First: the elements' memory goes last, after every element has ended.
  detail::ElementArena fArena;
  std::string fName;
  bool fReadOnly = false;
  detail::Liveness* fLiveness;
  std::vector<ElementBase*> fElements;
  std::vector<ElementBase*> fBuried;  // taken out, freed with the model
  std::uint32_t fLastId = 0;
  std::unique_ptr<detail::ChangeHub> fHub;
};

struct Cache {
  std::map<std::string, NSInterface::ModelIntf*> byName;
  unsigned lastUntitled = 0;
};

Cache& cache() {
  static auto* c = new Cache;
  return *c;
}

bool boundUnder(std::string const& name, NSInterface::ModelIntf const* model) {
  auto const& byName = cache().byName;
  auto const it = byName.find(name);
  return it != byName.end() && it->second == model;
}

void requireFree(std::string const& uri, NSInterface::ModelIntf const* model) {
  OZO_ASSERT_AT(detail::kModelHeader, 131, !uri.empty(), "%s", "A model URI cannot be empty");
  auto const& byName = cache().byName;
  auto const it = byName.find(uri);
  OZO_ASSERT_AT(detail::kModelHeader, 131, it == byName.end() || it->second == model,
                "A model named \"%s\" already exists", uri.c_str());
}

// A bound model moves to its new URI in the cache, so the cache never keeps
// a model under a name it no longer has.
void ModelImpl::setUri(Deviant const&, String const& uri) {
  std::string u = uri.utf8();
  requireFree(u, this);
  bool const bound = boundUnder(fName, this);
  if (bound) ModelCache::remove(this);
  fName = std::move(u);
  if (bound) ModelCache::add(this);
}

}  // namespace

// ---------------------------------------------------------------------------
ModelCache& ModelCache::instance() {
  static ModelCache c;
  return c;
}

String ModelCache::getNextAvailableModelUri(String const& base) {
  Cache& c = cache();
  std::string const b = base.utf8();
  for (;;) {
    std::string name = b + std::to_string(++c.lastUntitled);
    if (!c.byName.count(name)) return String(std::string_view(name));
  }
}

void ModelCache::bindModel(String const& uri, Model const& model) {
  NSInterface::ModelIntf* const m = model.checkedModel();
  std::string const u = uri.utf8();
  requireFree(u, m);
  if (m->name() != u) m->setUri(model.deviant(), uri);
  if (!boundUnder(u, m)) add(m);
}

ImmutableModel ModelCache::find(std::string const& name) {
  auto const& byName = cache().byName;
  auto const it = byName.find(name);
  return it == byName.end() ? ImmutableModel() : ImmutableModel(it->second, Deviant{});
}

std::vector<std::string> ModelCache::names() {
  std::vector<std::string> r;
  for (auto const& [name, model] : cache().byName) r.push_back(name);
  return r;
}

std::string ModelCache::freshName() {
  return instance().getNextAvailableModelUri(String(std::u16string(UNTITLED))).utf8();
}

void ModelCache::add(NSInterface::ModelIntf* model) { cache().byName.emplace(model->name(), model); }

void ModelCache::remove(NSInterface::ModelIntf* model) {
  auto& byName = cache().byName;
  auto const it = byName.find(model->name());
  if (it != byName.end() && it->second == model) byName.erase(it);
}

Model NSInterface::FactoryIntf::createNewModel() { return Model(new ModelImpl(std::string()), Deviant{}); }

Model Model::create(std::string const& name) {
  std::string const n = name.empty() ? ModelCache::freshName() : name;
  OZO_ASSERT_AT(detail::kModelHeader, 131, !cache().byName.count(n), "A model named \"%s\" already exists",
                n.c_str());
  Model m(new ModelImpl(n), Deviant{});
  ModelCache::add(m.get());
  return m;
}

// ---------------------------------------------------------------------------
namespace {
// The model as one made by this runtime, or null. ModelImpl is final: its
// exact type is the whole test (no walk of the class hierarchy).
ModelImpl* ownModel(NSInterface::ModelIntf* model) {
  return model && typeid(*model) == typeid(ModelImpl) ? static_cast<ModelImpl*>(model) : nullptr;
}
}  // namespace

detail::Liveness* detail::livenessOf(NSInterface::ModelIntf* model) {
  auto* const m = ownModel(model);
  return m ? m->liveness() : nullptr;
}

detail::ElementArena& detail::arenaOf(NSInterface::ModelIntf* model) {
  return static_cast<ModelImpl*>(model)->arena();
}

void detail::adoptElement(NSInterface::ModelIntf* model, ElementBase* element) {
  static_cast<ModelImpl*>(model)->adopt(element);
}

void detail::restoreId(NSInterface::ModelIntf* model, ElementBase* element, std::uint32_t id) {
  static_cast<ModelImpl*>(model)->restoreId(element, id);
}

detail::ChangeHub& detail::hubFor(NSInterface::ModelIntf* model) {
  auto* const m = ownModel(model);
  OZO_ASSERT_AT(kChangesHeader, 20, m != nullptr, "Model \"%s\" was not made by this runtime", model->name().c_str());
  return m->hub();
}

void detail::takeOut(NSInterface::ModelIntf* model, std::vector<ElementBase*> const& elements) {
  static_cast<ModelImpl*>(model)->takeOut(elements);
}

void detail::putBack(ElementBase* element) { static_cast<ModelImpl*>(element->modelIntf())->putBack(element); }

void detail::disposeTakenOut(ElementBase* element) {
  // The element held its model: the model goes after it, when this was the
  // last reference.
  NSInterface::ModelIntf* const model = element->modelIntf();
  static_cast<ModelImpl*>(model)->dispose(element);
  model->release();
}

std::vector<ElementBase*> const& detail::elementsOf(NSInterface::ModelIntf* model) {
  static std::vector<ElementBase*> const none;
  auto* const m = ownModel(model);
  return m ? m->elementCores() : none;
}

NSInterface::ModelIntf* prepareCreation(Model const& model, IntrospectiveMethods const& methods) {
  NSInterface::ModelIntf* const m = model.checkedModel();
  DeviantAssertions::assertWritable(m);
  meta::ClassDef const& def = *methods.def;
  OZO_ASSERT_AT(detail::kModelHeader, 142, !def.isAbstract, "Cannot create an instance of the abstract class %s.%s",
                def.packageName, def.name);
  OZO_ASSERT_AT(detail::kModelHeader, 144, ownModel(m) != nullptr,
                "Model \"%s\" was not made by this runtime", m->name().c_str());
  return m;
}

ClassObject createObject(Model const& model, IntrospectiveMethods const& methods) {
  NSInterface::ModelIntf* const m = prepareCreation(model, methods);
  auto* const e = ModelObjectImpl<NSInterface::ClassObjectIntf>::make(m, metaClassOf(*methods.def));
  elementCreated(e);
  return ClassObject(e, Deviant{});
}

}  // namespace Ozo
