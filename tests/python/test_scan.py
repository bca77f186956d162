"""Load histories through the Python package: design.scan to the same bits as
single runs of each row and as the batch program's scan, on any number of
threads and without the GIL; designs pickled to other processes; and
umbrinex.dask on a local cluster of worker processes."""
import copy
import csv
import os
import pickle
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import numpy

import umbrinex
from test_umbrinex import EXAMPLES, cli


def same_bits(a, b):
    """Whether two columns hold the same doubles, nan for nan."""
    a, b = numpy.asarray(a), numpy.asarray(b)
    return a.dtype == b.dtype and a.shape == b.shape and a.tobytes() == b.tobytes()


def json_number(value):
    """A number of the JSON as the scan gives it: the special texts as inf and nan."""
    if isinstance(value, str):
        return {"Infinity": numpy.inf, "-Infinity": -numpy.inf}.get(value, numpy.nan)
    return float(value)


# The program's reserved doubles, should a CSV writer print them as numbers.
RESERVED = {1e307: numpy.inf, -1e307: -numpy.inf, 2e307: numpy.nan, 1.5e307: numpy.nan, 3e307: numpy.nan}


def csv_number(text):
    """A number of the batch program's CSV as the scan gives it: its special
    values, as texts or as their reserved doubles, as inf and nan."""
    try:
        value = float(text)
    except ValueError:
        return json_number(text)
    return RESERVED.get(value, value)


def history(count, seed=7):
    """A load history of tensions and angles that a riser might see."""
    rng = numpy.random.default_rng(seed)
    return 0.1 * numpy.arange(count), rng.uniform(0.0, 80.0, count), rng.uniform(0.0, 60.0, count)


class Pickling(unittest.TestCase):
    def test_a_pickled_design_is_the_same_design_for_every_protocol(self):
        design = umbrinex.open(os.path.join(EXAMPLES, "Dynamic Riser.mxd"))
        design.set("ActiveLength", 7.25)
        design.set("LoadCase.ABR", 3.5, row=2)
        _, tension, angle = history(300)
        expected = design.scan(tension, angle)
        for protocol in [*range(pickle.HIGHEST_PROTOCOL + 1), "deepcopy"]:
            with self.subTest(protocol=protocol):
                if protocol == "deepcopy":
                    copied = copy.deepcopy(design)
                else:
                    pickled = pickle.dumps(design, protocol=protocol)
                    self.assertNotIn(b"_umbrinex", pickled, "pickled under the package's name")
                    copied = pickle.loads(pickled)
                self.assertIsInstance(copied, umbrinex.Design)
                self.assertEqual(copied.items(), design.items())
                for results in ("key_results", "load_cases", "design_chart"):
                    self.assertEqual(getattr(copied, results)(), getattr(design, results)(), results)
                self.assertEqual(copied.export_data(), design.export_data(), "with the file it was opened from")
                scanned = copied.scan(tension, angle)
                for key, column in expected.items():
                    self.assertTrue(same_bits(scanned[key], column), key)
                copied.set("ActiveLength", 9.0)
                self.assertEqual(design.get("ActiveLength"), 7.25, "a design of its own")

    def test_a_design_unpickled_in_another_process_scans_to_the_same_bits(self):
        design = umbrinex.Design()
        design.set("RootDiameter", 0.4)
        _, tension, angle = history(200)
        script = ("import pickle, sys\n"
                  "from test_scan import history\n"
                  "design = pickle.load(sys.stdin.buffer)\n"
                  "_, tension, angle = history(200)\n"
                  "print(design.scan(tension, angle, state=2)['root_moment'].tobytes().hex())\n")
        run = subprocess.run([sys.executable, "-c", script], input=pickle.dumps(design), capture_output=True,
                             timeout=60, check=False)
        self.assertEqual(run.returncode, 0, run.stderr)
        expected = design.scan(tension, angle, state=2)["root_moment"]
        self.assertEqual(run.stdout.decode().strip(), expected.tobytes().hex())

    def test_a_damaged_pickle_raises_and_leaves_nothing_half_made(self):
        design = umbrinex.Design()
        data, name = design.__getstate__()
        good = pickle.dumps(design)
        for cut in (0, 9, 100, len(data) // 2):
            with self.subTest(zeroed_from=cut):
                damaged = good.replace(data, data[:cut] + bytes(len(data) - cut))
                with self.assertRaises(umbrinex.Error):
                    pickle.loads(damaged)
        make, arguments, _ = design.__reduce__()
        for cut in (0, 9, len(data) // 2, len(data) - 1):
            with self.subTest(cut_at=cut):
                with self.assertRaisesRegex(umbrinex.Error, "corrupt"):
                    make(*arguments).__setstate__((data[:cut], name))
        for state in ((1, 2), (data,), (data, name, name), (name, data)):
            with self.subTest(state=repr(state)[:30]):
                with self.assertRaises(TypeError):
                    make(*arguments).__setstate__(state)


class ScanEqualsSingleRuns(unittest.TestCase):
    def single_run(self, tension, angle):
        """The default design with the one load case, its load_cases and design_check."""
        design = umbrinex.Design()
        design.set("NumberOfLoadCases", 1)
        design.set("LoadCase.Tension", tension, row=1)
        design.set("LoadCase.Angle", angle, row=1)
        return design.load_cases()[0], design.design_check()["cases"]

    def test_every_row_is_a_single_run_to_the_last_bit(self):
        # Slack, taut, upright and straight rows, some repeated out of order.
        tension = [31.0, 0.0, 250.0, 5.5, 31.0, 120.0, 0.25, 60.0, 12.5]
        angle = [29.0, 10.0, 2.0, 60.0, 29.0, 0.0, 89.0, 45.0, 33.3]
        scan = umbrinex.Design().scan(numpy.array(tension), angle)
        self.assertEqual(scan["row"].tolist(), [row for row in range(1, 10) for _ in (1, 2)])
        self.assertEqual(scan["state"].tolist(), [1, 2] * 9)
        for i, (t, a) in enumerate(zip(tension, angle)):
            case, checks = self.single_run(t, a)
            for k, state in enumerate(case["states"]):
                with self.subTest(row=i + 1, state=k + 1):
                    entry = 2 * i + k
                    check = checks[k]
                    self.assertEqual((check["load_case"], check["state"]), (1, k + 1))
                    self.assertEqual(scan["tension"][entry], t)
                    self.assertEqual(scan["root_moment"][entry].hex(), json_number(state["root_moment"]).hex())
                    self.assertEqual(scan["root_shear"][entry].hex(), json_number(state["root_shear"]).hex())
                    for key in ("min_bend_radius", "position", "ratio"):
                        self.assertEqual(scan[key][entry].hex(), json_number(check[key]).hex(), key)
                    self.assertEqual(scan["on"][entry], check["on"])
        self.assertEqual(scan["ratio"][10], numpy.inf, "straight: no bend radius at all")
        self.assertEqual(scan["max_strain"][10], 0.0)

    def test_the_columns_their_types_and_one_state(self):
        import pandas
        design = umbrinex.Design()
        time_, tension, angle = history(50)
        both = design.scan(tension, angle, time=time_)
        self.assertEqual(list(both), ["row", "time", "state", "tension", "angle", "root_moment", "root_shear",
                                      "min_bend_radius", "position", "on", "ratio", "max_strain"])
        table = pandas.DataFrame(both)
        self.assertEqual(len(table), 100)
        self.assertEqual(str(table["row"].dtype), "int64")
        self.assertEqual(str(table["state"].dtype), "int64")
        self.assertLessEqual(set(table["on"]), {"stiffener", "cable"})
        self.assertEqual(table["time"].tolist(), [t for t in time_.tolist() for _ in (1, 2)])
        second = design.scan(tension, angle, state=2)
        self.assertNotIn("time", second)
        self.assertEqual(second["state"].tolist(), [2] * 50)
        self.assertTrue(same_bits(second["root_moment"], both["root_moment"][1::2]))
        self.assertTrue(same_bits(second["max_strain"], both["max_strain"][1::2]))
        # Only the states the load cases include.
        for row in range(1, 6):
            design.set("LoadCase.State1Included", False, row=row)
        self.assertEqual(design.scan(tension, angle)["state"].tolist(), [2] * 50)

    def test_other_threads_run_while_the_scan_solves(self):
        design = umbrinex.Design()
        _, tension, angle = history(40000)
        ticks, stop = [0], threading.Event()

        def count():
            while not stop.is_set():
                ticks[0] += 1
        interval = sys.getswitchinterval()
        sys.setswitchinterval(0.001)
        counter = threading.Thread(target=count)
        try:
            counter.start()
            time.sleep(0.1)
            alone = ticks[0] / 0.1
            before, started = ticks[0], time.perf_counter()
            design.scan(tension, angle)
            during, elapsed = ticks[0] - before, time.perf_counter() - started
        finally:
            stop.set()
            counter.join()
            sys.setswitchinterval(interval)
        print("\nscan of 40,000 rows: %.2f s; another thread counted %.0f%% of its pace alone"
              % (elapsed, 100.0 * during / (alone * elapsed)), file=sys.stderr)
        # Holding the GIL, the scan would leave the counter a switch
        # interval or two; let go, the counter runs all along.
        self.assertGreater(elapsed, 0.1)
        self.assertGreater(during, 0.05 * alone)

    def test_ctrl_c_stops_a_scan_on_one_thread_and_on_more(self):
        script = ("import os, signal, threading, time, numpy, umbrinex\n"
                  "rows = numpy.linspace(1.0, 60.0, 1000000)\n"
                  "design = umbrinex.Design()\n"
                  "threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT)).start()\n"
                  "started = time.perf_counter()\n"
                  "try:\n"
                  "    design.scan(rows, rows, state=1)\n"
                  "    print('finished')\n"
                  "except KeyboardInterrupt:\n"
                  "    print('interrupted %.2f' % (time.perf_counter() - started))\n"
                  "print(len(design.scan([31.0], [29.0])['row']))\n")
        for threads in ("1", "2"):
            with self.subTest(threads=threads):
                run = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, timeout=120,
                                     env=dict(os.environ, UMBRINEX_THREADS=threads), check=False)
                self.assertEqual(run.returncode, 0, run.stderr)
                words = run.stdout.split()
                self.assertEqual(words[0], "interrupted", run.stdout)
                self.assertLess(float(words[1]), 3.0, "a million rows take ten seconds and more")
                self.assertEqual(words[2], "2", "the design scans again")

    def test_the_design_cannot_change_while_another_thread_scans_it(self):
        design = umbrinex.Design()
        _, tension, angle = history(100000)
        result = {}
        scanning = threading.Thread(target=lambda: result.update(design.scan(tension, angle, state=1)))
        scanning.start()
        time.sleep(0.2)
        refused = None
        try:
            design.set("ActiveLength", 4.0)
        except RuntimeError as error:
            refused = str(error)
        still = scanning.is_alive()
        scanning.join()
        if refused is None and not still:
            self.skipTest("the scan ended before the change was tried")
        self.assertIsNotNone(refused, "the design changed under the scan")
        self.assertIn("being scanned in another thread", refused)
        self.assertEqual(len(result["row"]), 100000)
        self.assertEqual(design.get("ActiveLength"), 2.0)
        design.set("ActiveLength", 4.0)

    def test_a_design_that_cannot_be_solved_raises_the_programs_error(self):
        design = umbrinex.Design()
        design.set("TipDiameter", 0.1)
        with self.assertRaisesRegex(umbrinex.Error, "must not be less than the cable diameter"):
            design.scan([31.0], [29.0])

    def test_100000_rows_as_the_batch_program_scans_them(self):
        name = os.path.join(EXAMPLES, "Dynamic Riser.mxd")
        design = umbrinex.open(name)
        time_, tension, angle = history(100000)
        started = time.perf_counter()
        scan = design.scan(tension, angle, time=time_)
        print("\nscan of 100,000 rows: %.2f s" % (time.perf_counter() - started), file=sys.stderr)
        self.assertEqual(len(scan["row"]), 200000)
        self.assertEqual(scan["row"][-1], 100000)
        self.assertTrue(numpy.isfinite(scan["root_moment"]).all())
        with tempfile.TemporaryDirectory() as folder:
            history_file, response_file = os.path.join(folder, "history.csv"), os.path.join(folder, "response.csv")
            with open(history_file, "w", encoding="utf-8") as f:
                f.write("time,tension,angle\n")
                f.writelines("%r,%r,%r\n" % row for row in zip(time_.tolist(), tension.tolist(), angle.tolist()))
            status, _, err = cli("--scan", history_file, "--out", response_file, name)
            self.assertEqual(status, 0, err)
            with open(response_file, encoding="utf-8", newline="") as f:
                rows = list(csv.DictReader(f))
        self.assertEqual(len(rows), len(scan["row"]))
        self.assertEqual(list(rows[0]), list(scan))
        for key, column in scan.items():
            if key == "on":
                self.assertEqual([row[key] for row in rows], column.tolist(), key)
                continue
            theirs = numpy.array([csv_number(row[key]) for row in rows], dtype=column.dtype)
            self.assertTrue(same_bits(theirs, column), key)


class ScanRefusesWhatIsNoHistory(unittest.TestCase):
    def test_every_refused_entry_is_named_by_its_index_and_reason(self):
        design = umbrinex.Design()
        for tension, angle, message in [
                ([1.0, numpy.nan], [1.0, 2.0], r"^tension\[1\] = nan: Not a number$"),
                ([1.0, 2.0, -3.0, -4.0], [1.0] * 4, r"^tension\[2\] = -3: Cannot be negative.$"),
                ([1.0], [numpy.inf], r"^angle\[0\] = inf: Number out of range$"),
                ([-numpy.inf], [1.0], r"^tension\[0\] = -inf: Number out of range$"),
                ([1.0, 1e307], [1.0, 1.0], r"^tension\[1\] = 1e\+307: Infinity not allowed$"),
                ([1.0, 2.0], [5.0, -0.0, -1e-300], r"one entry a row: 2 tensions, 3 angles$"),
                ([10 ** 400], [1.0], r"^tension: int too large")]:
            with self.subTest(message=message):
                with self.assertRaisesRegex(ValueError, message):
                    design.scan(tension, angle)
        with self.assertRaisesRegex(ValueError, "2 tensions, 2 angles, 3 times"):
            design.scan([1.0, 2.0], [1.0, 2.0], time=[0.0, 1.0, 2.0])

    def test_what_is_no_row_of_numbers_is_refused(self):
        design = umbrinex.Design()
        for value, error in [(numpy.ones((2, 2)), ValueError), (numpy.float64(3.0), ValueError), (5.0, ValueError),
                             ([[1.0, 2.0], [3.0]], ValueError), ({"tension": 1.0}, ValueError),
                             ("12", TypeError), (b"12", TypeError), (None, TypeError), (["1", "2"], TypeError),
                             (numpy.array([True, False]), TypeError), (numpy.array([1 + 2j, 3j]), TypeError),
                             (numpy.array(["2020-01-01"] * 2, dtype="datetime64[D]"), TypeError),
                             ([1.0, "x"], TypeError), ([1.0, None], ValueError)]:
            with self.subTest(value=repr(value)[:40]):
                with self.assertRaises(error):
                    design.scan(value, [1.0, 2.0])
                with self.assertRaises(error):
                    design.scan([1.0, 2.0], value)
        for state, error in [(0, ValueError), (3, ValueError), (-1, ValueError), ("1", TypeError),
                             (1.5, TypeError)]:
            with self.subTest(state=state):
                with self.assertRaises(error):
                    design.scan([1.0], [1.0], state=state)
        for row in range(1, 6):
            design.set("LoadCase.State1Included", False, row=row)
            design.set("LoadCase.State2Included", False, row=row)
        with self.assertRaisesRegex(ValueError, "name the state"):
            design.scan([1.0], [1.0])
        self.assertEqual(design.scan([1.0], [1.0], state=1)["state"].tolist(), [1])

    def test_any_array_of_real_numbers_will_do_and_none_gives_empty_columns(self):
        import pandas
        design = umbrinex.Design()
        expected = design.scan(numpy.array([30.0, 40.0]), numpy.array([20.0, 10.0]))
        strided = numpy.array([30.0, 0.0, 40.0, 0.0])[::2]
        for tension, angle in [([30, 40], (20, 10)), (numpy.array([30, 40], dtype=numpy.int32), [20.0, 10.0]),
                               (numpy.float32([30.0, 40.0]), numpy.uint8([20, 10])),
                               (strided, pandas.Series([20.0, 10.0], index=[7, 3])),
                               (numpy.array([30.0, 40.0], dtype=object), range(20, 0, -10))]:
            with self.subTest(tension=repr(tension)[:40]):
                scan = design.scan(tension, angle)
                for key, column in expected.items():
                    self.assertTrue(same_bits(scan[key], column), key)
        for time_ in (None, []):
            empty = design.scan([], numpy.empty(0), time=time_)
            self.assertEqual(len(empty), 12 if time_ is not None else 11)
            for key, column in empty.items():
                self.assertEqual(len(column), 0, key)
                self.assertEqual(column.dtype, expected.get(key, expected["tension"]).dtype, key)
            self.assertEqual(pandas.DataFrame(empty).shape, (0, len(empty)))


class ScanOnACluster(unittest.TestCase):
    """umbrinex.dask on two worker processes of one thread each."""

    @classmethod
    def setUpClass(cls):
        import distributed
        cls.cluster = distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                               dashboard_address=None, silence_logs=40)
        cls.client = distributed.Client(cls.cluster, timeout=60)

    @classmethod
    def tearDownClass(cls):
        cls.client.close()
        cls.cluster.close()

    def compute(self, collection):
        return self.client.compute(collection).result(timeout=120)

    def test_a_dask_frame_scans_as_the_design_does_in_process(self):
        import dask.dataframe
        import pandas
        import umbrinex.dask
        design = umbrinex.open(os.path.join(EXAMPLES, "Umbilical Two Materials.mxd"))
        time_, tension, angle = history(3000)
        frame = dask.dataframe.from_pandas(pandas.DataFrame({"t": time_, "T": tension, "A": angle}), npartitions=5)
        response = umbrinex.dask.scan(design, frame, tension="T", angle="A", time="t")
        self.assertIsInstance(response, dask.dataframe.DataFrame)
        expected = pandas.DataFrame(design.scan(tension, angle, time=time_))
        self.assertEqual(list(response.columns), list(expected.columns))
        self.assertEqual(dict(response.dtypes), dict(expected.dtypes), "the meta is what the partitions give")
        pandas.testing.assert_frame_equal(self.compute(response), expected, check_exact=True)
        one = self.compute(umbrinex.dask.scan(design, frame[["T", "A"]], state=2, tension="T", angle="A"))
        pandas.testing.assert_frame_equal(one, pandas.DataFrame(design.scan(tension, angle, state=2)),
                                          check_exact=True)

    def test_a_dask_array_of_two_or_three_columns(self):
        import dask.array
        import pandas
        import umbrinex.dask
        design = umbrinex.Design()
        time_, tension, angle = history(2000, seed=11)
        three = dask.array.from_array(numpy.column_stack([time_, tension, angle]), chunks=(450, 2))
        expected = pandas.DataFrame(design.scan(tension, angle, time=time_))
        pandas.testing.assert_frame_equal(self.compute(umbrinex.dask.scan(design, three)), expected,
                                          check_exact=True)
        two = dask.array.from_array(numpy.column_stack([tension, angle]), chunks=(700, 2))
        pandas.testing.assert_frame_equal(self.compute(umbrinex.dask.scan(design, two, state=1)),
                                          pandas.DataFrame(design.scan(tension, angle, state=1)), check_exact=True)

    def test_what_is_no_history_is_refused_before_anything_runs(self):
        import dask.array
        import dask.dataframe
        import pandas
        import umbrinex.dask
        design = umbrinex.Design()
        frame = dask.dataframe.from_pandas(pandas.DataFrame({"tension": [1.0], "angle": [2.0]}), npartitions=1)
        with self.assertRaisesRegex(ValueError, "no column 'time'"):
            umbrinex.dask.scan(design, frame, time="time")
        with self.assertRaisesRegex(ValueError, "State 3 does not exist"):
            umbrinex.dask.scan(design, frame, state=3)
        with self.assertRaises(TypeError):
            umbrinex.dask.scan(design, frame.compute())
        with self.assertRaises(TypeError):
            umbrinex.dask.scan("design.mxd", frame)
        with self.assertRaisesRegex(ValueError, "two columns"):
            umbrinex.dask.scan(design, dask.array.ones((4, 4)))
        # A refused entry in a partition comes back from the worker as it is.
        bad = dask.dataframe.from_pandas(pandas.DataFrame({"tension": [1.0, -1.0], "angle": [2.0, 2.0]}),
                                         npartitions=1)
        with self.assertRaisesRegex(ValueError, r"tension\[1\] = -1"):
            self.compute(umbrinex.dask.scan(design, bad))

    def test_importing_umbrinex_imports_no_dask(self):
        run = subprocess.run([sys.executable, "-c", "import sys, umbrinex; print(sorted(m for m in sys.modules "
                              "if m.split('.')[0] in ('dask', 'distributed', 'pandas')))"],
                             capture_output=True, text=True, timeout=60, check=False)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout.strip(), "[]")
        self.assertEqual(umbrinex.Design.__module__, "umbrinex")
        self.assertEqual(umbrinex.Error.__module__, "umbrinex")

    def test_the_example_script_in_process_and_on_the_cluster(self):
        import pandas
        script = os.path.join(EXAMPLES, "scan_history.py")
        time_, tension, angle = history(1500)
        design = umbrinex.Design()
        expected = pandas.DataFrame(design.scan(tension, angle, time=time_))
        worst = expected.loc[expected["ratio"].idxmin()]
        with tempfile.TemporaryDirectory() as folder:
            name = os.path.join(folder, "history.csv")
            pandas.DataFrame({"time (s)": time_, "tension (kN)": tension, "angle (deg)": angle}).to_csv(name,
                                                                                                      index=False)
            address = self.cluster.scheduler_address
            for extra in ([], ["--dask", address]):
                with self.subTest(extra=extra):
                    run = subprocess.run([sys.executable, script, name, *extra], capture_output=True, text=True,
                                         timeout=120, check=False)
                    self.assertEqual(run.returncode, 0, run.stderr)
                    self.assertIn("Worst MBR / ABR: %.4f at row %d" % (worst["ratio"], worst["row"]), run.stdout)
                    largest = expected.loc[expected["root_moment"].abs().idxmax(), "root_moment"]
                    self.assertIn("Largest root moment: %.4f kN.m" % largest, run.stdout)


if __name__ == "__main__":
    unittest.main()
