"""Shared set-up of the Python front-end tests."""

import gc
import unittest

from hypothesis import settings

import quillon

host = quillon.Host()
# A module that does not load fails every test module that imports this one.
host.load("mm_types_xb")

# Counters that must come back to where they were once Python lets go.
LIVE = ("host objects", "bindings", "arrays", "model objects")


def live_counts():
    gc.collect()
    counters = quillon.counters()
    return {name: counters.get(name, 0) for name in LIVE}


class HostTestCase(unittest.TestCase):
    """Fails a test that leaves host objects, bindings, arrays or model
    objects alive after its own references are gone."""

    def setUp(self):
        self._before = live_counts()

    def tearDown(self):
        # Locals of the test method are gone by now; a raised HostError's
        # traceback is released by unittest before tearDown.
        self.assertEqual(live_counts(), self._before, "host values leaked")

    def types(self):
        return host.package("Zorvan.metamodel.types")

    def model(self):
        return host.package("Ozo").Model()

    def axis(self, dimensions=3, name="speed"):
        """An Axis of a fresh model (the axis keeps its model alive)."""
        return self.types().Axis(self.model(), dimensions, name)


def leak_checked(machine, examples, steps):
    """The machine's test case, with the same programs on every run and the
    leak check of every host test."""
    machine.TestCase.settings = settings(max_examples=examples, stateful_step_count=steps, deadline=None,
                                         derandomize=True, database=None)

    class Case(machine.TestCase, HostTestCase):
        setUp = HostTestCase.setUp
        tearDown = HostTestCase.tearDown

    Case.__name__ = Case.__qualname__ = machine.__name__.replace("Machine", "Edits")
    Case.__module__ = machine.__module__
    return Case
