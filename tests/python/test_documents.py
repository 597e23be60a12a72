"""Models as documents: saving, loading, copying and comparing, for every
creatable class of the types package, found through the host's descriptions."""

import copy
import gc
import json
import math
import os
import pathlib
import re
import tempfile
import unittest

import jsonschema

import quillon
from quillon._classes import class_for
from helpers import HostTestCase, host, live_counts

ROOT = pathlib.Path(__file__).resolve().parents[2]
SCHEMA = json.loads((ROOT / "docs" / "quillon-model.schema.json").read_text())
PACKAGES = ("Zorvan.metamodel.types", "Zorvan.metamodel.foundation")
# Unpaired surrogates at both ends of a pair-free run, and a character beyond the BMP.
TEXT = "\ud800 \u00e9\u4e2d \U0001F600 \"q\"\n\\ \udc01"
REALS = [0.25, -0.0, 1e300, 5e-324, math.inf, -math.inf, math.nan]

session = quillon._runtime.session()
T = host.package("Zorvan.metamodel.types")
Ozo = host.package("Ozo")


def creatable_classes():
    """Every class of the packages made in a model by a constructor of the model alone."""
    return [c for pkg in PACKAGES for c in session.describe_package(pkg).classes
            if any(d.kind == "constructor" and list(d.arguments) == ["Ozo.Model"]
                   for d in session.describe_class(c).methods)]


CLASSES = creatable_classes()


def stored(cls):
    """The properties a document holds: writable and per element."""
    return [p for p in session.all_properties(cls) if not p.read_only and not p.is_static]


def literals(type_name):
    """The literal names of an enumeration value type (none for anything else)."""
    if ".Immutable" in type_name or not session.has_class(type_name):
        return []
    return [d.name for d in session.describe_class(type_name).methods
            if d.kind == "static" and not d.arguments and d.result == type_name]


def element_class(type_name):
    """The first creatable class whose elements a property of this type takes."""
    pkg, _, short = type_name.rpartition(".")
    want = class_for(f"{pkg}.Immutable{short.removeprefix('ImmutableSequenceOf').removeprefix('Immutable')}")
    return next(c for c in CLASSES if issubclass(class_for(c), want))


def kind_of(p):
    t = p.type
    if t == "char":
        return "string"
    if t in ("logical scalar", "ozological"):
        return "boolean"
    if t in ("int32 scalar", "ozoint32"):
        return "integer"
    if t in ("double scalar", "ozodouble"):
        return "real"
    if t.startswith("Ozo.ImmutableSequenceOf"):
        return "primitive sequence"
    if t == "Zorvan.metamodel.types.DataSize":
        return "amount"
    if literals(t):
        return "enumeration"
    return "element sequence" if p.multiplicity == 2 else "element"


def other_literal(type_name, current):
    cls = class_for(type_name)
    return next(v for v in (getattr(cls, name)() for name in literals(type_name))
                if current is None or str(v) != str(current))


def fill(element, cls, model, other):
    """Sets every stored property of `element` to a value other than its
    default. Element properties get new elements; one that does not own its
    value is pointed into `other` instead. Returns the names of the
    properties that own their values or link to the element's owner, and of
    the owner links alone."""
    owning, links = set(), set()
    for p in stored(cls):
        kind, current = kind_of(p), getattr(element, p.name)
        if kind == "string":
            setattr(element, p.name, f"{p.name} {TEXT}")
        elif kind == "boolean":
            setattr(element, p.name, not current)
        elif kind == "integer":
            setattr(element, p.name, (current or 0) - 7)
        elif kind == "real":
            setattr(element, p.name, (current or 0.0) + 2.5)
        elif kind == "primitive sequence":
            item = p.type.removeprefix("Ozo.ImmutableSequenceOf")
            getattr(element, p.name).extend({"Integer": [-(2 ** 31), 0, 2 ** 31 - 1], "Real": REALS,
                                              "String": ["", TEXT]}[item])
        elif kind == "amount":
            setattr(element, p.name, T.DataSize(3, T.DataSizeUnitKind.Byte()))
        elif kind == "enumeration":
            setattr(element, p.name, other_literal(p.type, current))
        else:
            target = class_for(element_class(p.type))
            probe = target(model)
            if kind == "element":
                setattr(element, p.name, probe)
            else:
                getattr(element, p.name).append(probe)
            if element.Owner == probe:  # the element's container: an owner link, not written
                owning.add(p.name)
                links.add(p.name)
            elif probe.Owner == element:
                owning.add(p.name)
                if kind == "element sequence":
                    getattr(element, p.name).append(target(model))
            elif kind == "element":
                setattr(element, p.name, target(other))
            else:  # one inside the model, one outside
                getattr(element, p.name).append(target(other))
    return owning, links


def set_empty(element, cls):
    """Sets every optional primitive property to its empty value."""
    for p in stored(cls):
        if p.multiplicity == 1 and kind_of(p) in ("string", "boolean", "integer", "real"):
            setattr(element, p.name, {"string": "", "boolean": False, "integer": 0, "real": 0.0}[kind_of(p)])


def build(model, other):
    """Per class: one element with every property set, one with the
    defaults, one with every optional primitive set to its empty value."""
    full = {}
    for cls in CLASSES:
        e = class_for(cls)(model)
        full[cls] = (e, fill(e, cls, model, other))
        class_for(cls)(model)
        set_empty(class_for(cls)(model), cls)
    return full


class Folder(HostTestCase):
    def setUp(self):
        super().setUp()
        self._dir = tempfile.TemporaryDirectory()
        self.dir = pathlib.Path(self._dir.name)

    def tearDown(self):
        self._dir.cleanup()
        super().tearDown()

    def write(self, name, text):
        path = self.dir / name
        path.write_text(text, encoding="utf-8", errors="surrogatepass")
        return path

    def assertValid(self, path):
        jsonschema.validate(json.loads(pathlib.Path(path).read_text()), SCHEMA,
                            cls=jsonschema.Draft202012Validator)


class EveryClassRoundTrip(Folder):
    def test_save_load_compare_and_same_bytes(self):
        # Catches: a property kind the writer skips or the reader drops, a
        # reference into another model read as a local id, text re-encoded
        # (surrogates lost), NaN or -0.0 lost, keys written in an unstable order.
        model, other = Ozo.Model(), Ozo.Model()
        full = build(model, other)
        main, second = self.dir / "main.json", self.dir / "second.json"
        model.save(main)
        other.save(second)
        text = main.read_text(encoding="utf-8", errors="surrogatepass")
        for path in (main, second):
            self.assertValid(path)

        # Elements are written in allContents order.
        written = dict(zip(model.allContents(), json.loads(text)["elements"]))
        kinds = set()
        for cls, (element, (owning, links)) in full.items():
            with self.subTest(cls=cls):
                self.assertEqual(written[element]["class"], cls)
                self.assertEqual(set(written[element]["properties"]),
                                 {p.name for p in stored(cls) if p.name not in links})
                kinds |= {kind_of(p) for p in stored(cls)}
        self.assertEqual(kinds, {"string", "boolean", "integer", "real", "primitive sequence", "amount",
                                 "enumeration", "element", "element sequence"})
        self.assertIn(f'{{"model":"{other.Uri}","id":', text)
        self.assertIn('"Infinity","-Infinity","NaN"]', text)

        again = Ozo.Model.load(main, "main-again")
        self.assertEqual(again.size(), model.size())
        self.assertEqual(Ozo.Model.compare(model, again), [])
        self.assertEqual(Ozo.Model.compare(again, model), [])
        uri, other_uri = model.Uri, other.Uri
        del again, full, model, other, written, element
        gc.collect()

        # With the originals gone, the files alone give the same bytes.
        second_again = Ozo.Model.load(second)
        loaded = Ozo.Model.load(os.fspath(main))
        self.assertEqual((loaded.Uri, second_again.Uri), (uri, other_uri))
        self.assertEqual(loaded.toJson(), text)
        loaded.save(self.dir / "resaved.json")
        self.assertEqual((self.dir / "resaved.json").read_bytes(), main.read_bytes())

    def test_optional_unset_left_out_and_empty_written(self):
        # Catches: unset optionals written as their default, empty values
        # (an empty string, 0, false) mistaken for unset and left out.
        model = Ozo.Model()
        for cls in CLASSES:
            optional = [p for p in stored(cls) if p.multiplicity == 1
                        and kind_of(p) in ("string", "boolean", "integer", "real")]
            if not optional:
                continue
            with self.subTest(cls=cls):
                bare, empty = class_for(cls)(model), class_for(cls)(model)
                set_empty(empty, cls)
                text = model.toJson()
                bare_props = json.loads(text)["elements"][-2]["properties"]
                empty_props = json.loads(text)["elements"][-1]["properties"]
                for p in optional:
                    if getattr(bare, p.name) is None:  # some optionals start set
                        self.assertNotIn(p.name, bare_props)
                    self.assertIn(empty_props[p.name], ("", False, 0, 0.0))
                path = self.dir / "optional.json"
                model.save(path)
                again = Ozo.Model.load(path, "optional-again")
                self.assertEqual(Ozo.Model.compare(model, again), [])
                del again, bare, empty


class BadInput(Folder):
    """Each bad document fails naming the file (and where it can, the line,
    column and element) and leaves nothing behind."""

    def document(self, *elements, head=None):
        head = head or '"format":"quillon-model","version":1,"name":"bad","uri":"bad-model"'
        return "{" + head + ',"elements":[\n' + ",\n".join(elements) + "\n]}\n"

    def assertLoadFails(self, path, pattern):
        before = live_counts()
        with self.assertRaises(quillon.HostError) as cm:
            Ozo.Model.load(path)
        message = cm.exception.message
        del cm
        self.assertRegex(message, "^" + pattern + "$")
        self.assertEqual(live_counts(), before)
        return message

    def assertNothingLeft(self):
        # The Uri is free again: no half-made model kept it.
        good = self.write("good.json", self.document('{"id":1,"class":"Zorvan.metamodel.types.Axis","properties":{}}'))
        self.assertEqual(Ozo.Model.load(good).Uri, "bad-model")

    def test_files_that_are_not_documents(self):
        # Catches: a missing file or a folder read as empty text, an error
        # that does not name the file, a parse error without its place.
        q = re.escape
        missing = self.dir / "missing.json"
        self.assertLoadFails(missing, q(f'Cannot load "{missing}": No such file or directory'))
        self.assertLoadFails(self.dir, q(f'Cannot load "{self.dir}": it is a folder'))
        empty = self.write("empty.json", "")
        self.assertLoadFails(empty, q(f"{empty}: the file is empty"))
        good = self.document('{"id":1,"class":"Zorvan.metamodel.types.Axis","properties":{"Name":"a"}}')
        cut = self.write("cut.json", good[:good.index('"Name"')])
        self.assertLoadFails(cut, q(f"{cut}:2:") + r"\d+: not valid JSON: .*")
        prose = self.write("prose.json", "a model\n")
        self.assertLoadFails(prose, q(f"{prose}:1:1: not valid JSON: ") + ".*")
        array = self.write("array.json", "[1]")
        self.assertLoadFails(array, q(f"{array}:1:") + r"\d+: this is not a model document: .*")
        other = self.write("other.json", '{"format":"other","version":1}')
        self.assertLoadFails(other, q(f'{other}:1:11: this is not a model document: its format is not "quillon-model"'))
        newer = self.write("newer.json", self.document(head='"format":"quillon-model","version":2'))
        self.assertLoadFails(newer, q(f"{newer}:1:") + r"\d+: " + q("the document has version 2, newer than this program reads (1)"))
        self.assertNothingLeft()

    def test_elements_that_do_not_fit(self):
        # Catches: an error without the element's id or the line of the
        # element, a value silently converted to the property's kind, a
        # duplicate id that overwrites, a half-read model left in the cache.
        axis = "Zorvan.metamodel.types.Axis"
        cases = {
            "unknown class": ('{"id":1,"class":"Zorvan.metamodel.types.Nothing","properties":{}}',
                              'element 1: unknown class "Zorvan.metamodel.types.Nothing"'),
            "unknown property": (f'{{"id":1,"class":"{axis}","properties":{{"Colour":1}}}}',
                                 f'element 1: {axis} has no property "Colour"'),
            "derived property": (f'{{"id":1,"class":"{axis}","properties":{{"Owner":2}}}}',
                                 f'element 1: property "Owner" of {axis} is .* not saved'),
            "string for a number": (f'{{"id":1,"class":"{axis}","properties":{{"Dimensions":"3"}}}}',
                                    f'element 1: property "Dimensions" of {axis} takes a whole number, got a string'),
            "real for a whole number": (f'{{"id":1,"class":"{axis}","properties":{{"Dimensions":3.5}}}}',
                                        f'element 1: property "Dimensions" of {axis} takes a whole number, got a number'),
            "number out of range": (f'{{"id":1,"class":"{axis}","properties":{{"Dimensions":2147483648}}}}',
                                    f'element 1: property "Dimensions" of {axis} takes a whole number, '
                                    'got a number out of its range'),
            "single for many": (f'{{"id":1,"class":"{axis}","properties":{{"Vf":1.5}}}}',
                                f'element 1: property "Vf" of {axis} takes an array'),
            "unknown literal": ('{"id":1,"class":"Zorvan.metamodel.types.CompuMethod","properties":{"Category":"Cubic"}}',
                                'element 1: property "Category" of Zorvan.metamodel.types.CompuMethod: .*Cubic.*'),
            "null": (f'{{"id":1,"class":"{axis}","properties":{{"Name":null}}}}',
                     "null is not a value of a model document"),
            "duplicate id": (f'{{"id":1,"class":"{axis}","properties":{{}}}},\n{{"id":1,"class":"{axis}","properties":{{}}}}',
                             "the id 1 is given twice"),
            "dangling id": (f'{{"id":1,"class":"{axis}","properties":{{"SharedAxis":9}}}}',
                            'element 1: property "SharedAxis" refers to element 9, which is not in the document'),
            "wrong class": (f'{{"id":1,"class":"{axis}","properties":{{"SharedAxis":2}}}},\n'
                            f'{{"id":2,"class":"{axis}","properties":{{}}}}',
                            'element 1: property "SharedAxis" takes a Zorvan.metamodel.types.SharedAxisType, '
                            "but element 2 is a Zorvan.metamodel.types.Axis"),
            "not loaded model": (f'{{"id":1,"class":"{axis}","properties":{{"SharedAxis":{{"model":"elsewhere","id":4}}}}}}',
                                 'element 1: property "SharedAxis" refers to model "elsewhere", which is not loaded '
                                 r'\(load that model first\)'),
        }
        for name, (elements, message) in cases.items():
            with self.subTest(name):
                path = self.write("bad.json", self.document(elements))
                line = 3 if name == "duplicate id" else 2
                self.assertLoadFails(path, re.escape(str(path)) + rf":{line}:\d+: " + message)
        self.assertNothingLeft()

    def test_ownership_that_is_not_a_tree(self):
        # Catches: a cycle or a second owner accepted, which would make the
        # ownership walks of saving and comparing loop or visit twice.
        literal = '{"id":%d,"class":"Zorvan.metamodel.types.EnumerationLiteral","properties":{}}'
        enum = '{"id":%d,"class":"Zorvan.metamodel.types.Enumeration","properties":{"OwnedLiteral":[%s]}}'
        twice = self.write("twice.json", self.document(enum % (1, "3"), enum % (2, "3"), literal % 3))
        self.assertLoadFails(twice, re.escape(str(twice)) + r":3:\d+: element 3 is owned twice: by elements 1 and 2")
        comment = '{"id":%d,"class":"Zorvan.metamodel.types.Enumeration","properties":{"OwnedComment":[%d]}}'
        cycle = self.write("cycle.json", self.document(comment % (1, 2), comment % (2, 1)))
        self.assertLoadFails(cycle, re.escape(str(cycle)) +
                             r":3:\d+: ownership cycle: element 2 would own element 1, which owns it")
        itself = self.write("itself.json", self.document(comment % (1, 1)))
        self.assertLoadFails(itself, re.escape(str(itself)) +
                             r":2:\d+: ownership cycle: element 1 would own element 1, which owns it")
        self.assertNothingLeft()

    def test_sizes_and_nesting(self):
        # Catches: nesting that recurses in the reader (a crash, not an
        # error), a large text or array cut short.
        deep = self.write("deep.json", "[" * 200000 + "]" * 200000)
        self.assertLoadFails(deep, re.escape(str(deep)) + r":1:1: this is not a model document: .*")
        deep_value = self.write("deep_value.json", self.document(
            '{"id":1,"class":"Zorvan.metamodel.types.Axis","properties":{"Vf":' + "[" * 100000 + "]" * 100000 + "}}"))
        self.assertLoadFails(deep_value, re.escape(str(deep_value)) + r":2:\d+: unexpected array in element 1: .*")
        big = "x\U0001F600" * 500000
        many = list(range(100000))
        path = self.write("big.json", self.document(
            '{"id":1,"class":"Zorvan.metamodel.types.Axis","properties":{"Name":"%s","Vf":%s}}' % (big, many)))
        model = Ozo.Model.load(path)
        axis = model.contents()[0]
        self.assertEqual((axis.Name, list(axis.Vf)), (big, many))

    def test_uri_taken(self):
        # Catches: a second live model under one Uri (references by Uri
        # would then be ambiguous).
        path = self.write("doc.json", self.document('{"id":1,"class":"Zorvan.metamodel.types.Axis","properties":{}}'))
        first = Ozo.Model.load(path)
        self.assertLoadFails(path, re.escape(str(path)) + r':1:\d+: a live model already has the Uri "bad-model"')
        self.assertEqual(Ozo.Model.load(path, "another").Uri, "another")
        # The text of a live model reads back only under another Uri.
        text = first.toJson()
        with self.assertRaisesRegex(quillon.HostError, 'a live model already has the Uri "bad-model"'):
            Ozo.Model.fromJson(text)
        twin = Ozo.Model.fromJson(text, "twin")
        self.assertEqual((twin.Uri, Ozo.Model.compare(first, twin)), ("twin", []))
        del first, twin


class AtomicSave(Folder):
    def test_failed_save_keeps_the_previous_file(self):
        # Catches: writing the target in place (a failure truncates it), a
        # temporary file left behind when the last step fails.
        model = Ozo.Model()
        T.Axis(model, 2, "a")
        target = self.dir / "model.json"
        target.write_text("previous")
        if os.geteuid() != 0:
            os.chmod(self.dir, 0o500)
            try:
                with self.assertRaisesRegex(quillon.HostError, f'^Cannot save "{re.escape(str(target))}": '):
                    model.save(target)
            finally:
                os.chmod(self.dir, 0o700)
            self.assertEqual(target.read_text(), "previous")
        # A folder in the way: the temporary file is written, the rename fails.
        blocked = self.dir / "blocked.json"
        (blocked / "inside").mkdir(parents=True)
        with self.assertRaisesRegex(quillon.HostError, f'^Cannot save "{re.escape(str(blocked))}": '):
            model.save(blocked)
        under_file = target / "x.json"
        with self.assertRaisesRegex(quillon.HostError, f'^Cannot save "{re.escape(str(under_file))}": Not a directory$'):
            model.save(under_file)
        self.assertEqual(target.read_text(), "previous")
        self.assertEqual(sorted(p.name for p in self.dir.iterdir()), ["blocked.json", "model.json"])
        self.assertEqual(os.listdir(blocked), ["inside"])
        model.save(target)
        self.assertTrue(target.read_text().startswith('{"format":"quillon-model"'))
        self.assertEqual(sorted(p.name for p in self.dir.iterdir()), ["blocked.json", "model.json"])

    def test_read_only_model_saves(self):
        model = Ozo.Model()
        T.Axis(model, 2, "a")
        model.setReadOnly(True)
        model.save(self.dir / "ro.json")
        self.assertEqual(Ozo.Model.compare(model, Ozo.Model.load(self.dir / "ro.json", "ro-again")), [])


class CopyAndCompare(Folder):
    def tree(self, model, outside):
        """An enumeration owning two literals; the first refers to the second
        (inside the tree), to `outside` and to the enumeration."""
        enum = T.Enumeration(model)
        enum.Name = "Gear"
        first, second = T.EnumerationLiteral(model), T.EnumerationLiteral(model)
        first.Name, second.Name = "P", "D"
        enum.OwnedLiteral.extend([first, second])
        first.ClientDependency.extend([second, outside, enum])
        return enum

    def test_copy_points_inside_references_to_the_copies(self):
        # Catches: a copied reference left pointing at the original, an
        # outside reference redirected, owned elements not copied.
        model, elsewhere = Ozo.Model(), Ozo.Model()
        outside = T.Unit(model)
        enum = self.tree(model, outside)
        for target in (model, elsewhere):
            with self.subTest(into=target.Uri):
                twin = target.copy(enum)
                self.assertIsNot(twin, enum)
                self.assertIsNone(twin.Owner)
                first, second = twin.OwnedLiteral
                self.assertEqual([e.getModel().Uri for e in (twin, first, second)], [target.Uri] * 3)
                self.assertNotIn(first, list(enum.OwnedLiteral))
                deps = list(first.ClientDependency)
                self.assertIs(deps[0], second)
                self.assertIs(deps[1], outside)
                self.assertIs(deps[2], twin)
                self.assertEqual(first.Owner, twin)
        self.assertEqual(len(model), 3)  # the unit, the tree, its copy

    def test_deep_copy_is_the_models_copy(self):
        model = Ozo.Model()
        enum = self.tree(model, T.Unit(model))
        twin = copy.deepcopy(enum)
        self.assertIsNot(twin, enum)
        self.assertIs(list(twin.OwnedLiteral)[0].ClientDependency[2], twin)
        self.assertIs(copy.copy(enum), enum)
        self.assertEqual(len(model), 3)

    def test_compare_ignores_ids_order_and_names(self):
        # Catches: matching elements by id or creation order, or comparing
        # the models' own Uris.
        a, b = Ozo.Model(), Ozo.Model()
        unit_a = T.Unit(a)
        self.tree(a, unit_a)
        T.Axis(a, 1, "x")
        T.Axis(b, 1, "x")  # made first in b: other ids, another order
        self.tree(b, T.Unit(b))
        self.assertNotEqual(a.Uri, b.Uri)
        self.assertEqual(Ozo.Model.compare(a, b), [])
        T.Axis(b, 1, "y")
        self.assertEqual(len(Ozo.Model.compare(a, b)), 1)  # an extra root
        del unit_a

    def test_compare_reports_each_property_once(self):
        # Catches: a property kind compare does not look at, a difference
        # reported twice or under the wrong property.
        model, other = Ozo.Model(), Ozo.Model()
        full = build(model, other)
        model.save(self.dir / "m.json")
        twin = Ozo.Model.load(self.dir / "m.json", "twin")
        # Loading keeps allContents order, so both walks pair up elements.
        pairs = dict(zip(model.allContents(), twin.allContents()))
        seen = set()
        for cls, (original, (owning, links)) in full.items():
            element = pairs[original]
            for p in stored(cls):
                kind = kind_of(p)
                if p.name in owning or (kind, p.multiplicity) in seen:
                    continue
                seen.add((kind, p.multiplicity))
                with self.subTest(cls=cls, property=p.name, kind=kind):
                    before = getattr(element, p.name)
                    restore = self.change(element, p, kind, before, model, other, twin)
                    try:
                        lines = Ozo.Model.compare(model, twin)
                    finally:
                        restore()
                    self.assertEqual(len(lines), 1, lines)
                    self.assertIn(f": {p.name}: ", lines[0])
                    self.assertIn(" != ", lines[0])
                    self.assertEqual(Ozo.Model.compare(model, twin), [])
        self.assertGreaterEqual(len(seen), 9)

    def change(self, element, p, kind, before, model, other, twin):
        """Changes one property; returns what sets it back."""
        name = p.name
        if kind in ("string", "boolean", "integer", "real", "amount", "enumeration") and p.multiplicity != 2:
            new = {"string": lambda: before + "!", "boolean": lambda: not before, "integer": lambda: before + 1,
                   "real": lambda: before + 1.0, "amount": lambda: T.DataSize(4, T.DataSizeUnitKind.Byte()),
                   "enumeration": lambda: other_literal(p.type, before)}[kind]()
            setattr(element, name, new)
            return lambda: setattr(element, name, before)
        seq = getattr(element, name)
        if kind == "primitive sequence":
            last = seq.pop()
            return lambda: seq.append(last)
        if kind == "element sequence":
            last = seq.pop()  # an element of the second model
            return lambda: seq.append(last)
        # A single reference into the second model, moved to another element there.
        moved = class_for(element_class(p.type))(other)
        moved.Name = "moved"
        setattr(element, name, moved)
        return lambda: setattr(element, name, before)


class PythonProtocols(Folder):
    def test_len_iter_and_path_like(self):
        # Catches: len counting every element instead of the roots, iter
        # over allContents, a PathLike refused or passed as its repr.
        model = Ozo.Model()
        enum = T.Enumeration(model)
        enum.OwnedLiteral.append(T.EnumerationLiteral(model))
        axis = T.Axis(model, 1, "a")
        self.assertEqual((len(model), model.size()), (2, 3))
        self.assertEqual(list(model), [enum, axis])
        self.assertEqual(model.allContents(), [enum, enum.OwnedLiteral[0], axis])
        self.assertEqual(model.find("a"), axis)
        self.assertIsNone(model.find("nothing"))
        path = self.dir / "p.json"
        model.save(path)
        again = Ozo.Model.load(path, "p-again")
        self.assertEqual(len(again), 2)
        self.assertEqual(Ozo.Model.compare(model, again), [])


if __name__ == "__main__":
    unittest.main()
