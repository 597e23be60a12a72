// Models as documents: a model saved as one JSON text and read back
// (docs/FORMAT.md). Every element class and value type a document names must
// be registered with the runtime (Ozo/Library.hpp).
#pragma once

#include <Ozo/Meta.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace Ozo {

namespace detail {
class ClassImpl;
class PropertyImpl;
}  // namespace detail

// The model's document. The same model always gives the same bytes: elements
// in allContentsOf order, properties in slot order, keys in a fixed order.
std::string toJson(ImmutableModel const& model);

// A new model from a document, under the document's Uri. `source` names the
// text in messages (a file's path). A document that is not a valid model
// document, names what the runtime does not know, refers to a model that is
// not loaded, or whose Uri a live model has, fails with a message naming
// `source`, and where there is one the line and column and the element's id;
// nothing is created then.
// With `uri` not empty, the model takes that Uri instead of the document's
// (to open two versions of one model side by side).
Model fromJson(std::string_view text, std::string const& source = "<text>", std::string const& uri = {});

// Writes the model's document to `path` atomically: a temporary file in the
// same folder, flushed to disk, then renamed over `path`. On failure the
// previous file is as it was and no temporary file is left.
void saveModel(ImmutableModel const& model, std::string const& path);

// Reads the model saved at `path` (fromJson, with the path as source).
Model loadModel(std::string const& path, std::string const& uri = {});

// The names documents and comparisons give the stored properties of a class
// (in ClassImpl::stored() order): the host's spelling of each, so that files
// use the names host users know; and the property a name stands for (null
// for none).
std::vector<char const*> const& storedNames(detail::ClassImpl const& cls);
detail::PropertyImpl const* propertyByName(detail::ClassImpl const& cls, std::string_view name);

// `text` as a JSON string, quoted, exactly as a document writes it (unpaired
// surrogates as \u escapes).
std::string jsonString(std::u16string_view text);

}  // namespace Ozo
