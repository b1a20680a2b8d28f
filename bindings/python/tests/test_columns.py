"""Whole columns: the batch calls against the single ones, units that travel to other
threads and processes, and a Dask dataframe on a local cluster of worker processes."""

import array
import concurrent.futures
import copy
import math
import multiprocessing
import os
import pickle
import subprocess
import sys
import unittest

import pelunits

try:
    import numpy
except ImportError:  # the tests that need NumPy are skipped
    numpy = None

try:
    import dask.dataframe
    import distributed
    import pandas
except ImportError:
    distributed = None

# Non-ASCII texts (degrees, squares, a symbol beyond the basic plane), feet and inches.
UNITS = [
    ("feet-inch-fraction", {"precision": 16}, {"separator": "-"}),
    ("degrees-minutes-seconds", {}, {}),
    ("square-metres", {}, {"with_units": True}),
    ("metres", {"symbol": "\U0001d45a"}, {"with_units": True, "trim_trailing_zeros": True}),
    ("pounds-ounces", {}, {}),
]
VALUES = [1689.1, -1689.1, 0.0, -0.0, 0.4, 1e-300, 1e300, 304.8 * 12.5, float("nan"),
          float("inf"), 10.504166666666666]


def display_chunk(job):
    unit, values = job
    return unit.display_many(values)


def read_chunk(job):
    unit, texts = job
    return unit.read_many(texts)


class DisplayManyTest(unittest.TestCase):
    def test_matches_display_for_every_kind_of_column(self):
        for name, settings, options in UNITS:
            unit = pelunits.Unit(name, **settings)
            expected = [unit.display(v, **options) for v in VALUES]
            columns = {"list": VALUES, "tuple": tuple(VALUES), "array": array.array("d", VALUES),
                       "ints": [int(v) for v in VALUES if math.isfinite(v)]}
            if numpy is not None:
                frozen = numpy.array(VALUES)
                frozen.flags.writeable = False
                columns.update({"numpy": numpy.array(VALUES), "read-only": frozen,
                                "float32": numpy.array([v for v in VALUES if abs(v) < 1e30], dtype=numpy.float32),
                                "strided": numpy.repeat(numpy.array(VALUES), 2)[::2]})
            for kind, column in columns.items():
                with self.subTest(unit=name, column=kind):
                    self.assertEqual(unit.display_many(column, **options),
                                     [unit.display(v, **options) for v in column])
            self.assertEqual(unit.display_many(VALUES, **options), expected)

    def test_several_chunks_and_long_texts(self):
        unit = pelunits.Unit("millimetres", precision=10 ** 9)
        values = [1e300 if i % 1000 == 0 else i * 0.37 for i in range(pelunits._CHUNK * 2 + 3)]
        got = unit.display_many(values)
        self.assertEqual(len(got), len(values))
        for i in (0, 1, pelunits._CHUNK - 1, pelunits._CHUNK, pelunits._CHUNK + 1000,
                  len(values) - 1):
            self.assertEqual(got[i], unit.display(values[i]))

    def test_refuses_what_is_not_a_number(self):
        unit = pelunits.Unit("metres")
        self.assertEqual(unit.display_many([]), [])
        for column in (["1"], [None], 5):
            with self.assertRaises(TypeError):
                unit.display_many(column)


class ReadManyTest(unittest.TestCase):
    TEXTS = ["5' 7 1/4\"", "12'", "3/8\"", "5\u2032 6\u00bd\u2033", "  10 mm", "1 1/2'"]

    def test_matches_read_and_names_the_failing_item(self):
        unit = pelunits.Unit("feet-inch-fraction")
        self.assertEqual(unit.read_many(self.TEXTS), [unit.read(t) for t in self.TEXTS])
        texts = self.TEXTS + ["5' 6 1/", "x\u00b0", "\ud800"]
        values, statuses = unit.read_many(texts, with_status=True)
        self.assertEqual(statuses[-3:], [1, 2, 4])
        self.assertEqual(values[:6], [unit.read(t) for t in self.TEXTS])
        self.assertTrue(all(math.isnan(v) for v in values[6:]))
        nan = unit.read_many(texts, errors="nan")
        self.assertTrue(math.isnan(nan[6]) and nan[0] == values[0])
        with self.assertRaises(pelunits.ReadError) as raised:
            unit.read_many(texts)
        self.assertEqual((raised.exception.index, raised.exception.incomplete), (6, True))
        self.assertIn("item 6", str(raised.exception))
        with self.assertRaisesRegex(ValueError, "item 0"):
            unit.read_many(["\ud800"])
        with self.assertRaisesRegex(TypeError, "item 1"):
            unit.read_many(["1'", 2])

    def test_several_chunks_and_iterables(self):
        unit = pelunits.Unit("metres")
        texts = ["%d.%03d" % (i, i % 1000) for i in range(pelunits._CHUNK + 5)]
        texts[pelunits._CHUNK + 2] = "zz"
        values = unit.read_many(iter(texts), errors="nan")
        self.assertEqual(values[pelunits._CHUNK + 1], unit.read(texts[pelunits._CHUNK + 1]))
        self.assertTrue(math.isnan(values[pelunits._CHUNK + 2]))
        with self.assertRaises(pelunits.ReadError) as raised:
            unit.read_many(texts)
        self.assertEqual(raised.exception.index, pelunits._CHUNK + 2)

    @unittest.skipIf(numpy is None, "no NumPy")
    def test_numpy_in_and_out(self):
        unit = pelunits.Unit("feet-inch-fraction")
        values, statuses = unit.read_many(numpy.array(self.TEXTS + ["?"]), as_array=True,
                                          with_status=True)
        self.assertEqual(values.dtype, numpy.float64)
        self.assertEqual(list(statuses), [0] * len(self.TEXTS) + [2])
        self.assertEqual(list(values[:-1]), [unit.read(t) for t in self.TEXTS])


class TravellingUnitTest(unittest.TestCase):
    def test_copies_and_pickles_are_independent(self):
        for name, settings, options in UNITS:
            unit = pelunits.Unit(name, factor=2.5, power=1, **settings)
            unit.regional = True
            for how in (copy.copy, copy.deepcopy, lambda u: pickle.loads(pickle.dumps(u))):
                other = how(unit)
                with self.subTest(unit=name, how=how):
                    for setting in ("codes", "factor", "precision", "power", "symbol",
                                    "regional"):
                        self.assertEqual(getattr(other, setting), getattr(unit, setting))
                    other.close()
                    self.assertEqual(unit.display(1689.1), unit.copy().display(1689.1))
        by_codes = pickle.loads(pickle.dumps(pelunits.Unit(codes=(20, 1))))
        self.assertEqual(by_codes.codes, (20, 1))
        with self.assertRaises(ValueError):
            closed = pelunits.Unit("metres")
            closed.close()
            pickle.dumps(closed)

    def test_no_crash_at_exit_after_copies(self):
        script = ("import copy, pickle, pelunits\n"
                  "u = pelunits.Unit('metres')\n"
                  "a, b, c = copy.copy(u), copy.deepcopy(u), pickle.loads(pickle.dumps(u))\n"
                  "del u\n"
                  "print(a.display(1500), b.display(1500), c.display(1500))\n")
        done = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                              timeout=60)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout.split(), ["1.500"] * 3)

    def test_process_pools_convert_chunks_of_a_column(self):
        unit = pelunits.Unit("feet-inch-fraction", precision=32)
        values = [i * 3.7 for i in range(4000)]
        chunks = [values[i:i + 1000] for i in range(0, len(values), 1000)]
        expected = unit.display_many(values)
        context = multiprocessing.get_context("spawn")
        with context.Pool(2) as pool:
            shown = sum(pool.map(display_chunk, [(unit, c) for c in chunks]), [])
        self.assertEqual(shown, expected)
        text_chunks = [expected[i:i + 1000] for i in range(0, len(expected), 1000)]
        with concurrent.futures.ProcessPoolExecutor(2, mp_context=context) as executor:
            read = sum(executor.map(read_chunk, [(unit, c) for c in text_chunks]), [])
        self.assertEqual(read, unit.read_many(expected))


@unittest.skipIf(distributed is None, "no Dask (python3-dask, python3-distributed)")
class DaskTest(unittest.TestCase):
    def test_map_partitions_on_two_worker_processes(self):
        unit = pelunits.Unit("feet-inch-fraction", precision=16)
        values = [i * 1.7 - 500 for i in range(20000)]
        frame = dask.dataframe.from_pandas(pandas.DataFrame({"mm": values}), npartitions=8)

        def shown(part, unit):
            return pandas.Series(unit.display_many(part["mm"].to_numpy()), index=part.index)

        def read(part, unit):
            return pandas.Series(unit.read_many(part.to_numpy(), as_array=True),
                                 index=part.index)

        with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                      dashboard_address=None) as cluster, \
                distributed.Client(cluster) as client:
            texts = frame.map_partitions(shown, unit, meta=("mm", object))
            back = texts.map_partitions(read, unit, meta=("mm", "f8"))
            got_texts, got_back = client.compute([texts, back], sync=True)
            workers = client.run(os.getpid)
        self.assertEqual(len(set(workers.values())), 2)
        self.assertEqual(list(got_texts), unit.display_many(values))
        self.assertEqual(list(got_back), unit.read_many(unit.display_many(values)))


if __name__ == "__main__":
    unittest.main()
