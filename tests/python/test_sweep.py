"""Every registered host class works through the same generic front end."""

import collections.abc as abc
import types
import unittest

import quillon
from helpers import HostTestCase, host

PACKAGES = ("Ozo", "Zorvan.metamodel.foundation", "Zorvan.metamodel.types")
SEQUENCE_METHODS = {"index", "count"}
MUTABLE_SEQUENCE_METHODS = SEQUENCE_METHODS | {"append", "extend", "insert", "pop", "remove", "reverse", "clear"}


class EveryClass(HostTestCase):
    def classes(self):
        for name in PACKAGES:
            yield from quillon._runtime.session().describe_package(name).classes

    def test_members_docs_and_calls(self):
        session = quillon._runtime.session()
        count = 0
        for name in self.classes():
            count += 1
            with self.subTest(cls=name):
                cls = quillon._classes.class_for(name)
                self.assertEqual(repr(cls), f"<host class '{name}'>")
                members = [m for m in session.member_names(name) if not m.startswith("_")]
                # Python's sequence methods, also where they take a host name.
                python = {m for m, v in cls.__dict__.items()
                          if not m.startswith("_") and isinstance(v, types.FunctionType)}
                self.assertEqual(sorted(dir(cls)), sorted((set(members) & set(cls.__dict__)) | python))
                if issubclass(cls, abc.MutableSequence):
                    self.assertEqual(python, MUTABLE_SEQUENCE_METHODS)
                elif issubclass(cls, abc.Sequence):
                    self.assertEqual(python, SEQUENCE_METHODS)
                else:
                    self.assertEqual(python, set())
                for member in dir(cls):
                    self.assertIn(member, cls.__doc__)
                    target = cls.__dict__[member]
                    if member in python:
                        continue
                    self.assertTrue(target.__doc__, member)
                    if not isinstance(target, quillon._quillon.HostProperty):
                        # Whatever the host makes of no arguments, it answers
                        # with a value or with the signature error.
                        try:
                            getattr(cls, member)()
                        except quillon.ArgumentError as e:
                            self.assertTrue(e.message.startswith(
                                f'No signature of "{member}" in class "{name}" accepts (); '
                                'candidates: '), e.message)
                        with self.assertRaises(quillon.ArgumentError):
                            getattr(cls, member)({})
        self.assertGreater(count, 10)

    def test_classes_mirror_host_superclasses(self):
        session = quillon._runtime.session()
        for name in self.classes():
            with self.subTest(cls=name):
                cls = quillon._classes.class_for(name)
                supers = [quillon._classes.class_for(s)
                          for s in session.describe_class(name).superclasses]
                # The host's order, as long as Python can keep it.
                self.assertEqual(cls.__bases__, tuple(supers) or (quillon.Object,))
                for sup in supers:
                    self.assertTrue(issubclass(cls, sup), sup)

    def test_only_classes_without_host_equality_hash(self):
        session = quillon._runtime.session()
        for name in self.classes():
            with self.subTest(cls=name):
                cls = quillon._classes.class_for(name)
                bare = object.__new__(cls)  # no host object needed to hash
                # Python sequences compare by content and, like lists, do not hash.
                if "eq" in session.member_names(name) or issubclass(cls, abc.Sequence):
                    with self.assertRaises(TypeError):
                        hash(bare)
                else:
                    self.assertEqual(hash(bare), object.__hash__(bare))
                    self.assertTrue(bare == bare)
                    self.assertFalse(bare == object.__new__(cls))


if __name__ == "__main__":
    unittest.main()
