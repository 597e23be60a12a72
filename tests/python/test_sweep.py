"""Every registered host class works through the same generic front end."""

import unittest

import quillon
from helpers import HostTestCase, host, requires_types

PACKAGES = ("Ozo", "Zorvan.metamodel.foundation", "Zorvan.metamodel.types")


@requires_types
class EveryClass(HostTestCase):
    def classes(self):
        for name in PACKAGES:
            if host.has_package(name):
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
                self.assertEqual(sorted(dir(cls)), sorted(set(members) & set(cls.__dict__)))
                for member in dir(cls):
                    self.assertIn(member, cls.__doc__)
                    target = cls.__dict__[member]
                    self.assertTrue(target.__doc__, member)
                    if not isinstance(target, property):
                        # Whatever the host makes of no arguments, it answers
                        # with a value or a HostError.
                        try:
                            getattr(cls, member)()
                        except quillon.HostError:
                            pass
                        with self.assertRaises(TypeError):
                            getattr(cls, member)({})
        self.assertGreater(count, 10)


if __name__ == "__main__":
    unittest.main()
