"""The README's main example runs and says what it should: it cannot rot."""

import gc
import importlib.util
import os
import unittest

import quillon

TOUR = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "tour.py")


def load_tour():
    loader_info = importlib.util.spec_from_file_location("tour", TOUR)
    module = importlib.util.module_from_spec(loader_info)
    loader_info.loader.exec_module(module)
    return module


class Tour(unittest.TestCase):
    def test_the_tour_runs_and_leaves_nothing_alive(self):
        before = quillon.counters()
        lines = []
        load_tour().tour(out=lines.append)
        text = "\n".join(lines)
        for expected in ("2.5 km = 2500 m", "100 degC = 212.00 degF", "slope 0.0625",
                         "('Drive', 3, True)", "0 axes, VALUE", "2 axes ['engine_speed', 'load'], MAP",
                         "unique data sizes: ['8 Bit', '2 Byte']", "km to degC is refused"):
            self.assertIn(expected, text)
        gc.collect()
        after = quillon.counters()
        for name in ("host objects", "bindings", "model objects"):
            self.assertEqual(after.get(name, 0), before.get(name, 0), name)


if __name__ == "__main__":
    unittest.main()
