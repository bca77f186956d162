"""The Python package against the batch program: the same results to the last
digit, the same items and the same refusals, at a cost that leaves a
parametric study to the solver."""
import glob
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import numpy

import umbrinex

CLI = os.environ["UMBRINEX_CLI"]
EXAMPLES = os.environ["UMBRINEX_EXAMPLES"]


def cli(*arguments):
    run = subprocess.run([CLI, *arguments], capture_output=True, text=True, check=False)
    return run.returncode, run.stdout, run.stderr


def cli_json(*arguments):
    status, out, err = cli("--json", *arguments)
    if status != 0:
        raise AssertionError(err)
    return json.loads(out)


def plain(value):
    """Station arrays as lists, for comparing with the JSON."""
    if isinstance(value, dict):
        return {key: plain(item) for key, item in value.items()}
    if isinstance(value, list):
        return [plain(item) for item in value]
    if isinstance(value, numpy.ndarray):
        return value.tolist()
    return value


class ResultsEqualTheBatchProgram(unittest.TestCase):
    def test_default_design_to_the_last_digit(self):
        design = umbrinex.Design()
        expected = cli_json("--key", "--design-chart", "--performance-chart")
        results = design.results(key=True, design_chart=True, performance_chart=True)
        self.assertEqual(results, expected)
        # The root moments themselves, compared as the doubles they are.
        for mine, theirs in zip(results["load_cases"], expected["load_cases"]):
            for state, other in zip(mine["states"], theirs["states"]):
                self.assertEqual(state["root_moment"].hex(), float(other["root_moment"]).hex())
        self.assertEqual(design.key_results(), expected["key_results"])
        self.assertEqual(design.load_cases(), expected["load_cases"])
        self.assertEqual(design.design_chart(), expected["design_chart"])
        self.assertEqual(design.performance_chart(), expected["performance_chart"])

    def test_design_check_accuracy_and_converged_results(self):
        design = umbrinex.Design()
        expected = cli_json("--key", "--accuracy", "--converged", "--tolerance", "1e-3")
        check = design.design_check()
        self.assertEqual(check, expected["design_check"])
        self.assertEqual(check["verdict"], "FAIL")
        self.assertEqual(design.accuracy(), expected["accuracy"])
        self.assertEqual(design.converged(1e-3), expected["converged"])
        with self.assertRaises(ValueError):
            design.converged(0.0)
        # A longer, wider stiffener passes.
        design.set(21021, 4.0)
        design.set(21022, 0.35)
        self.assertEqual(design.design_check()["verdict"], "PASS")

    def test_a_load_case_with_its_stations_as_numpy_arrays(self):
        design = umbrinex.Design()
        expected = cli_json("--load-case", "4")
        case = design.load_case(4)
        self.assertEqual(plain(case), expected["load_cases"][3])
        stations = case["states"][0]["stations"]
        self.assertIsInstance(stations["curvature"], numpy.ndarray)
        self.assertEqual(stations["curvature"].dtype, numpy.float64)
        self.assertEqual(len(stations["arc_length"]), 47)
        self.assertEqual(stations["n_stiffener_stations"], 41)
        self.assertEqual(plain(design.results(load_case=4)), expected)
        with self.assertRaisesRegex(ValueError, "load case 6: the design has 5 load cases"):
            design.load_case(6)

    def test_every_example_design(self):
        designs = sorted(glob.glob(os.path.join(EXAMPLES, "*.mxd")))
        self.assertGreaterEqual(len(designs), 4)
        for name in designs:
            with self.subTest(design=os.path.basename(name)):
                with warnings.catch_warnings():
                    warnings.simplefilter("error")
                    design = umbrinex.open(name)
                self.assertEqual(design.results(key=True, design_chart=True),
                                 cli_json("--key", "--design-chart", name))


class ItemsLikeTheBatchProgram(unittest.TestCase):
    def test_items_and_values(self):
        design = umbrinex.Design()
        _, out, _ = cli("--items", "--json")
        self.assertEqual(design.items(), json.loads(out)["items"])
        self.assertEqual(design.get(21061, row=4), 31.0)
        self.assertEqual(design.get(21063, row=1), "~")
        self.assertEqual(design.get(21030), 3)
        self.assertEqual(design.get(2), "SI")
        self.assertEqual(design.get(21020), "Stiffness Power Law")

    def test_values_are_entered_as_typed_and_read_back_exactly(self):
        design = umbrinex.Design()
        design.set(21021, 2.0 / 3.0)
        self.assertEqual(design.get(21021), 2.0 / 3.0)
        design.set(21064, False, row=2)
        self.assertEqual(design.get(21064, row=2), "No")
        design.set(21020, "User Defined")
        design.set(21060, 6)
        self.assertEqual(design.get(21060), 6)
        design.set(2, "US")
        self.assertEqual(design.get(3), "ft")
        design.set(21021, numpy.float32(2.5))
        self.assertEqual(design.get(21021), 2.5)
        design.set(21060, numpy.int64(4))
        self.assertEqual(design.get(21060), 4)

    def test_a_refused_value_raises_with_the_message_of_the_batch_program(self):
        design = umbrinex.Design()
        for varnum, value, row, argument in [(21061, -1, 4, "21061:4=-1"), (3, "mm", None, "3=mm"),
                                              (21078, 30, None, "21078=30"), (21061, 1, 9, "21061:9=1")]:
            with self.subTest(argument=argument):
                status, _, err = cli("--set", argument)
                self.assertEqual(status, 2)
                with self.assertRaises(ValueError) as raised:
                    design.set(varnum, value, row=row)
                self.assertEqual(str(raised.exception), err.strip())
        self.assertEqual(design.get(21061, row=4), 31.0, "a refusal changes nothing")
        with self.assertRaises(TypeError):
            design.set(21021, [1.0])
        with self.assertRaisesRegex(ValueError, "rows are numbered from 1"):
            design.get(21061, row=0)


class ItemsByName(unittest.TestCase):
    def test_every_listed_name_reaches_the_item_its_varnum_does(self):
        design = umbrinex.Design()
        for item in design.items():
            with self.subTest(item=item["item"]):
                self.assertEqual(design.get(item["name"], row=item["row"]), item["value"])
        design.set("ActiveLength", 3.0)
        self.assertEqual(design.get(21021), 3.0)
        design.set("LoadCase.Tension", 31.5, row=4)
        self.assertEqual(design.get(21061, row=4), 31.5)
        self.assertEqual(design.get(21061, row=3), 11.0, "only the row named")
        design.set("LoadCase.State2Included", False, row=2)
        self.assertEqual(design.get("LoadCase.State2Included", row=2), "No")
        design.set("Units.System", "US")
        self.assertEqual(design.get("Units.Length"), "ft")

    def test_a_refusal_by_name_is_the_one_by_varnum_naming_both(self):
        design = umbrinex.Design()
        for name, value, row, argument in [("LoadCase.Tension", -1, 4, "21061:4"), ("Units.Length", "mm", None, "3"),
                                            ("LoadCase.Tension", 1, 9, "21061:9")]:
            with self.subTest(argument=argument):
                status, _, err = cli("--set", "%s=%s" % (argument, value))
                self.assertEqual(status, 2)
                with self.assertRaises(ValueError) as raised:
                    design.set(name, value, row=row)
                label = name if row is None else "%s:%d" % (name, row)
                self.assertEqual(str(raised.exception), "%s (%s" % (label, err.strip().replace(": ", "): ", 1)))
        self.assertEqual(design.get("LoadCase.Tension", row=4), 31.0, "a refusal changes nothing")
        with self.assertRaisesRegex(ValueError, r"^LoadCase.Tension:0 \(21061:0\): rows are numbered from 1"):
            design.get("LoadCase.Tension", row=0)
        # Named but not answered now, as by VarNum.
        design.set("StiffenerDefinition", "User Defined")
        with self.assertRaises(ValueError) as by_varnum:
            design.set(21024, 2.0)
        with self.assertRaises(ValueError) as by_name:
            design.set("ShapePower", 2.0)
        self.assertEqual(str(by_name.exception), "ShapePower (" + str(by_varnum.exception).replace(": ", "): ", 1))
        with self.assertRaises(TypeError):
            design.get(2.5)

    def test_an_unknown_name_is_refused_with_the_closest_ones(self):
        design = umbrinex.Design()
        for name, close in [("ActiveLenght", "ActiveLength"), ("activelength", "ActiveLength"),
                            ("LoadCase.Tensoin", "LoadCase.Tension")]:
            with self.subTest(name=name):
                with self.assertRaisesRegex(ValueError, "no item is named '%s'; did you mean %s" % (name, close)):
                    design.get(name)
                with self.assertRaisesRegex(ValueError, "no item is named '%s'" % name):
                    design.set(name, 3.0)
        for name in ("", "Nothing like it", "21021"):
            with self.subTest(name=name):
                with self.assertRaisesRegex(ValueError, r"\(design.items\(\) lists every name\)$"):
                    design.get(name)
        with self.assertRaises(ValueError):
            design.set("ActiveLength\0", 3.0)
        self.assertEqual(design.get(21021), 2.0)


class Sizing(unittest.TestCase):
    def test_the_sizing_is_the_batch_programs_and_leaves_the_design(self):
        design = umbrinex.Design()
        before = design.items()
        sized, report = design.size(vary=["length", "root-diameter"],
                                    bounds={"length": (1, 6), "root-diameter": (0.2, None)})
        expected = cli_json("--size", "--vary", "length,root-diameter",
                            "--bounds", "length=1:6,root-diameter=0.2:")["sizing"]
        for key in ("seconds",):
            report.pop(key)
            expected.pop(key)
        self.assertEqual(report, expected)
        self.assertEqual(design.items(), before)
        self.assertEqual(sized.get(21021), report["variables"][0]["after"])
        check = sized.design_check()
        self.assertEqual(check["verdict"], "PASS")
        self.assertGreaterEqual(check["governing"]["ratio"], 1.0)
        self.assertLessEqual(check["governing"]["ratio"], 1.005)
        self.assertEqual(sized.key_results()["volume"], report["volume"]["after"])

    def test_the_example_script_sizes_for_each_margin(self):
        script = os.path.join(EXAMPLES, "size_for_margin.py")
        with tempfile.TemporaryDirectory() as folder:
            prefix = os.path.join(folder, "sized")
            run = subprocess.run([sys.executable, script, "--margins", "1.0,1.1", "--save", prefix],
                                 capture_output=True, text=True, check=True)
            rows = [line.split() for line in run.stdout.splitlines()[1:]]
            self.assertEqual([row[:2] for row in rows], [["1.000", "sized"], ["1.100", "sized"]])
            self.assertLess(float(rows[0][2]), float(rows[1][2]))
            for margin in ("1", "1.1"):
                check = umbrinex.open(f"{prefix}-{margin}.mxd").design_check()
                self.assertGreaterEqual(check["governing"]["ratio"], float(margin))

    def test_nothing_that_fits_gives_no_design_and_bad_words_raise(self):
        design = umbrinex.Design()
        sized, report = design.size(bounds={"length": (1, 1.5), "root-diameter": (0.2, 0.25)})
        self.assertIsNone(sized)
        self.assertEqual(report["status"], "infeasible")
        self.assertTrue(report["message"].startswith("No stiffener within the bounds keeps every load case"))
        for words in ({"vary": "lenth"}, {"bounds": {"length": (6, 1)}}, {"objective": "weight"},
                      {"bounds": {"length": (1,)}}, {"vary": "length-scale"}):
            with self.assertRaises(ValueError, msg=str(words)):
                design.size(**words)


class FilesAndErrors(unittest.TestCase):
    def test_a_saved_design_opens_with_its_changes(self):
        design = umbrinex.Design()
        design.set(21061, 12.5, row=2)
        with tempfile.TemporaryDirectory() as folder:
            name = os.path.join(folder, "variant.mxd")
            design.save(name)
            opened = umbrinex.Design.open(name)
            self.assertEqual(opened.get(21061, row=2), 12.5)
            self.assertEqual(opened.results(), cli_json(name))

    def test_a_design_is_saved_under_exactly_the_name_given_or_not_at_all(self):
        design = umbrinex.Design()
        with tempfile.TemporaryDirectory() as folder:
            plain_name = os.path.join(folder, "variant")
            design.save(plain_name)
            self.assertEqual(os.listdir(folder), ["variant"])
            self.assertEqual(umbrinex.open(plain_name).results(), design.results())
            for name in ("", os.path.join(folder, "cut\0.mxd")):
                with self.assertRaises(ValueError):
                    design.save(name)
                with self.assertRaises(ValueError):
                    umbrinex.open(name)
            self.assertEqual(os.listdir(folder), ["variant"])
            link = os.path.join(folder, "full")
            os.symlink("/dev/full", link)
            with self.assertRaisesRegex(umbrinex.Error, "is not a regular file"):
                design.save(link)
            self.assertEqual(sorted(os.listdir(folder)), ["full", "variant"])

    def test_the_data_export_is_the_batch_programs_text(self):
        with tempfile.TemporaryDirectory() as folder:
            out = os.path.join(folder, "data.txt")
            status, _, err = cli("--export-data", out)
            self.assertEqual(status, 0, err)
            with open(out, encoding="utf-8") as f:
                self.assertEqual(umbrinex.Design().export_data(), f.read())
            for example in sorted(os.listdir(EXAMPLES)):
                if not example.endswith(".mxd"):
                    continue
                name = os.path.join(EXAMPLES, example)
                status, _, err = cli("--export-data", out, name)
                self.assertEqual(status, 0, err)
                with open(out, encoding="utf-8") as f:
                    self.assertEqual(umbrinex.open(name).export_data(), f.read(), example)
            # A saved design is exported under its new file.
            design = umbrinex.Design()
            saved = os.path.join(folder, "saved.mxd")
            design.save(saved)
            self.assertEqual(design.export_data().splitlines()[0].split(" (modified")[0], "Umbrinex: " + saved)
            self.assertIn("Project:   Umbrinex Design Example", design.export_data())

    def test_file_and_calculation_errors_carry_the_programs_message(self):
        missing = os.path.join(tempfile.gettempdir(), "no-such-design.mxd")
        _, _, err = cli(missing)
        with self.assertRaises(umbrinex.Error) as raised:
            umbrinex.open(missing)
        self.assertEqual(str(raised.exception), err.strip())
        design = umbrinex.Design()
        design.set(21023, 0.1)
        with self.assertRaisesRegex(umbrinex.Error, "must not be less than the cable diameter"):
            design.key_results()

    def test_no_gui_library_is_loaded(self):
        with open("/proc/self/maps", encoding="utf-8") as maps:
            self.assertNotIn("libQt", maps.read())


# Run in an interpreter of its own, where nothing has imported numpy yet.
THREADS_SCRIPT = r"""
import os, sys, tempfile, threading
import umbrinex

shared = umbrinex.Design()
errors = []
start = threading.Barrier(4)

def work(number):
    try:
        own = umbrinex.Design()
        start.wait()
        for design in (own, shared):
            stations = design.load_case(1)
            assert len(stations["states"]) > 0
            design.results(key=True)
            design.design_chart()
            design.performance_chart()
        with tempfile.TemporaryDirectory() as folder:
            name = os.path.join(folder, "design%d.mxd" % number)
            own.save(name)
            assert umbrinex.open(name).results() == own.results()
    except Exception as error:  # reported by the main thread
        errors.append(repr(error))

threads = [threading.Thread(target=work, args=(n,)) for n in range(4)]
for thread in threads:
    thread.start()
for thread in threads:
    thread.join()
print("\n".join(errors) if errors else "all done")
"""


class Threads(unittest.TestCase):
    def test_four_threads_before_numpy_is_imported(self):
        run = subprocess.run([sys.executable, "-c", THREADS_SCRIPT], capture_output=True, text=True,
                             timeout=90, check=False)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout.strip(), "all done")

    def test_a_thread_variable_that_is_no_number_is_warned_of_at_import(self):
        environment = dict(os.environ, UMBRINEX_THREADS="many")
        run = subprocess.run([sys.executable, "-c", "import umbrinex"], capture_output=True, text=True,
                             env=environment, timeout=60, check=False)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("RuntimeWarning", run.stderr)
        self.assertIn('UMBRINEX_THREADS="many" is not a number of threads', run.stderr)


class ParametricStudy(unittest.TestCase):
    def test_a_sweep_of_100_lengths(self):
        # Processor time, so that other work on a shared machine does not
        # count; the best of three runs.
        design = umbrinex.Design()
        lengths = [1.0 + 0.02 * i for i in range(100)]
        best, wall = float("inf"), float("inf")
        for _ in range(3):
            started, clock = time.process_time(), time.perf_counter()
            for length in lengths:
                design.set(21021, length)
                design.results()
            best = min(best, time.process_time() - started)
            wall = min(wall, time.perf_counter() - clock)
        print("\nsweep of 100 lengths (key results and every load case): %.1f ms processor time, %.1f ms elapsed"
              % (1000.0 * best, 1000.0 * wall), file=sys.stderr)
        self.assertLess(best, 0.050)

    def test_the_example_script(self):
        script = os.path.join(EXAMPLES, "length_sweep.py")
        run = subprocess.run([sys.executable, script, "--steps", "3", "--from", "1", "--to", "3"],
                             capture_output=True, text=True, check=True)
        lines = run.stdout.splitlines()
        self.assertEqual(lines[0].split()[:3], ["Length", "Root", "moment"])
        first = lines[2].split()
        self.assertEqual(float(first[0]), 1.0)
        design = umbrinex.Design()
        design.set(21021, 1.0)
        key = design.key_results()["max_root_moment"]
        self.assertAlmostEqual(float(first[1]), key["root_moment"], places=4)


class LoadCasesFrame(unittest.TestCase):
    def test_the_load_case_table_as_columns_for_pandas(self):
        import pandas
        design = umbrinex.Design()
        design.set("LoadCase.ABR", 1.5, row=2)
        design.set("LoadCase.State1Included", False, row=3)
        frame = design.load_cases_frame()
        self.assertEqual(list(frame), ["number", "tension", "angle", "abr", "state1", "state2"])
        table = pandas.DataFrame(frame)
        self.assertEqual(len(table), 5)
        self.assertEqual(table["number"].tolist(), [1, 2, 3, 4, 5])
        self.assertEqual([str(table[key].dtype) for key in frame],
                         ["int64", "float64", "float64", "float64", "bool", "bool"])
        cases = design.load_cases()
        self.assertEqual(table["tension"].tolist(), [case["tension"] for case in cases])
        self.assertEqual(table["angle"].tolist(), [case["angle"] for case in cases])
        # The default ABR "~" is the design's own.
        self.assertEqual(table["abr"].tolist(), [2.5, 1.5, 2.5, 2.5, 2.5])
        self.assertEqual(design.get("LoadCase.ABR", row=1), "~")
        self.assertEqual(table["state1"].tolist(), [True, True, False, True, True])
        self.assertTrue(table["state2"].all())
        design.set("NumberOfLoadCases", 7)
        design.set("AllowableBendRadius", 3.0)
        frame = design.load_cases_frame()
        self.assertEqual(len(frame["number"]), 7)
        self.assertEqual(frame["abr"][0], 3.0)


if __name__ == "__main__":
    unittest.main()
