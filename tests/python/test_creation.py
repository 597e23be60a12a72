"""Making host objects from Python: the class call, the wrapper each new host
object gets, and the package lookups on the way."""

import gc

import quillon
from helpers import HostTestCase, host


class ClassCall(HostTestCase):
    def test_a_call_makes_an_object_of_the_class_called(self):
        T = self.types()
        m = self.model()
        for cls, args in ((T.Axis, (3, "speed")), (T.Dimension, ("d",)), (T.LookupTableType, ())):
            obj = cls(m, *args)
            self.assertIs(type(obj), cls)
        self.assertEqual(T.Axis(m, 4, "x").Dimensions, 4)

    def test_only_a_host_class_of_its_own_constructs(self):
        T = self.types()

        class Mine(T.Axis):
            __slots__ = ()
        for cls in (quillon.Object, Mine):
            with self.assertRaises(TypeError) as cm:
                cls(self.model(), 3, "speed")
            self.assertEqual(str(cm.exception), "quillon.Object is abstract: call a host class")

    def test_keywords_are_refused_before_the_host_is_asked(self):
        T = self.types()
        with self.assertRaises(TypeError) as cm:
            T.Axis(self.model(), 3, name="speed")
        self.assertIn("unexpected keyword argument 'name'", str(cm.exception))
        self.assertNotIsInstance(cm.exception, quillon.HostError)

    def test_every_road_into_the_call_constructs_alike(self):
        # Python code calls a class through vectorcall; the metatype's
        # __call__ and a call with a dict of keywords take the tuple road.
        T = self.types()
        m = self.model()
        roads = (lambda *a, **k: T.Axis(*a, **k),
                 lambda *a, **k: type(T.Axis).__call__(T.Axis, *a, **k))
        for call in roads:
            with self.subTest(call=call):
                made = call(m, 5, "x")
                self.assertIs(type(made), T.Axis)
                self.assertEqual((made.Dimensions, made.Name), (5, "x"))
                self.assertEqual(call(m).Dimensions, T.Axis(m).Dimensions)
                with self.assertRaises(TypeError) as cm:
                    call(m, 5, **{"name": "x"})
                self.assertIn("unexpected keyword argument 'name'", str(cm.exception))
                with self.assertRaises(quillon.ArgumentError):
                    call(m, 5)

    def test_arguments_that_fit_no_constructor_are_an_argument_error(self):
        T = self.types()
        with self.assertRaises(quillon.ArgumentError) as cm:
            T.Axis(self.model(), "three", "speed")
        self.assertIn('No signature of "Axis"', cm.exception.message)
        with self.assertRaises(quillon.ArgumentError):
            T.Axis(self.model(), object(), "speed")

    def test_a_class_made_by_hand_is_abstract_until_it_names_a_host_class(self):
        Bare = quillon.HostClass("Bare", (quillon.Object,), {"__slots__": ()})
        with self.assertRaises(TypeError):
            Bare()
        Named = quillon.HostClass("Named", (quillon.Object,), {"__slots__": (), "_host_name": "No.such.Class"})
        with self.assertRaises(quillon.HostError) as cm:
            Named()
        self.assertEqual(cm.exception.message, 'Unknown class "No.such.Class".')


class Wrappers(HostTestCase):
    def test_objects_read_back_are_the_wrappers_made(self):
        # Enough wrappers that the live table grows several times and its
        # runs are long; a lookup that missed its own entry would make a
        # second wrapper, one that found another's would give the wrong one.
        T = self.types()
        m = self.model()
        made = [T.Axis(m, 3, f"a{i}") if i % 3 else T.Dimension(m, f"d{i}") for i in range(3000)]
        self.assertEqual([x.Name for x in m], [x.Name for x in made])
        for a, b in zip(m, made):
            self.assertIs(a, b)
        # Releasing every other wrapper moves entries in the table's runs.
        kept = made[::2]
        del made
        gc.collect()
        back = {x.Name: x for x in m}
        for x in kept:
            self.assertIs(back[x.Name], x)
        # Objects met first through a read get the Python class of their own
        # host class, whichever class was wrapped before.
        for name, x in back.items():
            self.assertIs(type(x), T.Dimension if name.startswith("d") else T.Axis)

    def test_a_new_wrapper_after_the_old_one_is_gone(self):
        T = self.types()
        m = self.model()
        T.Axis(m, 3, "a")
        first = next(iter(m))
        key = quillon._quillon._model_key(first)
        del first
        gc.collect()
        again = next(iter(m))
        self.assertIs(type(again), T.Axis)
        self.assertEqual(quillon._quillon._model_key(again), key)


class PackageMembers(HostTestCase):
    def test_a_member_found_is_kept_and_stays_the_same(self):
        T = self.types()
        self.assertIs(T.Axis, quillon._classes.class_for("Zorvan.metamodel.types.Axis"))
        self.assertIn("Axis", vars(T))
        self.assertIs(T.Axis, T.Axis)
        Ozo = host.package("Ozo")
        model = Ozo.Model
        self.assertIs(vars(Ozo)["Model"], model)

    def test_members_are_not_set_from_outside(self):
        T = self.types()
        axis = T.Axis
        with self.assertRaises(AttributeError) as cm:
            T.Axis = int
        self.assertEqual(str(cm.exception), "cannot set 'Axis' on host package 'Zorvan.metamodel.types'")
        self.assertIs(T.Axis, axis)
        with self.assertRaises(AttributeError):
            T.NoSuchMember
        self.assertNotIn("NoSuchMember", vars(T))
