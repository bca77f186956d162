#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks every installed
file; with --deb, builds the Debian package instead and checks what it
holds.

    CheckInstall.py BUILD_DIR SOURCE_DIR [--deb]

Exit status 1 lists every fault.
"""
import configparser
import filecmp
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

MIME = "{http://www.freedesktop.org/standards/shared-mime-info}"
DATA = "share/umbrinex"
PACKAGE = "lib/python3/dist-packages/umbrinex/"
# The package's Python files; its compiled part is _umbrinex.*.so beside them.
PACKAGE_FILES = {PACKAGE + "__init__.py", PACKAGE + "dask.py"}


def compiled_modules(files):
    return {f for f in files if f.startswith(PACKAGE + "_umbrinex.") and f.endswith(".so")}


class Checker:
    def __init__(self, build, source, prefix):
        self.build, self.source, self.prefix = build, source, prefix
        self.faults = []

    def fault(self, text):
        self.faults.append(text)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def expected_files(self):
        examples = sorted(os.listdir(os.path.join(self.source, "Examples")))
        files = {"bin/umbrinex-cli", DATA + "/Umbrinex.pdf",
                 "share/applications/umbrinex.desktop", "share/icons/hicolor/scalable/apps/umbrinex.svg",
                 "share/mime/packages/umbrinex.xml", "bin/umbrinex"}
        files |= {DATA + "/Examples/" + name for name in examples}
        # The help window's page and the pictures it shows.
        files.add(DATA + "/Umbrinex.html")
        files |= {DATA + "/images/" + name for name in self.manual_pictures()}
        return files | PACKAGE_FILES

    def manual_pictures(self):
        folder = os.path.join(self.build, "app", "images")
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def installed_files(self):
        found = set()
        for folder, _, names in os.walk(self.prefix):
            for name in names:
                found.add(os.path.relpath(os.path.join(folder, name), self.prefix))
        return found

    def check_listing(self):
        installed = self.installed_files()
        modules = compiled_modules(installed)
        if len(modules) != 1:
            self.fault("expected one compiled module in the Python package, found %s" % sorted(modules))
        for missing in sorted(self.expected_files() - installed):
            self.fault("not installed: " + missing)
        for extra in sorted(installed - self.expected_files() - modules):
            self.fault("installed but not expected: " + extra)
        return next(iter(modules), None)

    def check_programs(self):
        for program in ("bin/umbrinex", "bin/umbrinex-cli"):
            name = self.path(program)
            if not os.access(name, os.X_OK):
                self.fault(program + " is not executable")
                continue
            libraries = subprocess.run(["ldd", name], capture_output=True, text=True).stdout
            if "not found" in libraries:
                self.fault(program + " misses libraries:\n" + libraries)
        examples = sorted(glob.glob(self.path(DATA + "/Examples/*.mxd")))
        if len(examples) < 4:
            self.fault("fewer than four example designs: %s" % examples)
        for example in examples:
            run = subprocess.run([self.path("bin/umbrinex-cli"), "--json", example], capture_output=True, text=True)
            if run.returncode != 0 or run.stderr or '"max_root_moment"' not in run.stdout:
                self.fault("the installed umbrinex-cli does not run %s: %s" % (example, run.stderr))

    def check_data(self):
        for name in os.listdir(os.path.join(self.source, "Examples")):
            installed = self.path(DATA + "/Examples/" + name)
            if os.path.exists(installed) and not filecmp.cmp(installed, os.path.join(self.source, "Examples", name),
                                                             shallow=False):
                self.fault("installed example differs from its source: " + name)
        with open(self.path(DATA + "/Umbrinex.pdf"), "rb") as manual:
            content = manual.read()
        if not content.startswith(b"%PDF-") or b"%%EOF" not in content[-32:]:
            self.fault("the installed manual is not a complete PDF file")
        if not filecmp.cmp(self.path(DATA + "/Umbrinex.pdf"), os.path.join(self.build, "app", "Umbrinex.pdf"),
                           shallow=False):
            self.fault("the installed manual is not the one the build typeset")
        self.check_help_page()

    def check_help_page(self):
        page = self.path(DATA + "/Umbrinex.html")
        if not os.path.exists(page):
            return
        with open(page, encoding="utf-8") as html:
            content = html.read()
        if 'name="topic-' not in content:
            self.fault("the installed help page has no help topics")
        if not self.manual_pictures():
            self.fault("the build copied no pictures beside the help page")
        for picture in sorted(set(re.findall(r'<img src="([^"]+)"', content))):
            if not os.path.exists(os.path.join(os.path.dirname(page), picture)):
                self.fault("the help page shows a picture that is not installed: " + picture)

    def check_desktop(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.path("share/applications/umbrinex.desktop"), encoding="utf-8")
        desktop = entry["Desktop Entry"]
        for key, value in {"Type": "Application", "Exec": "umbrinex %f", "Icon": "umbrinex"}.items():
            if desktop.get(key) != value:
                self.fault("desktop entry: %s is %r, not %r" % (key, desktop.get(key), value))
        if not os.path.exists(self.path("bin/" + desktop.get("Exec", "").split()[0])):
            self.fault("desktop entry: Exec names no installed program")
        icon = ElementTree.parse(self.path("share/icons/hicolor/scalable/apps/umbrinex.svg")).getroot()
        if icon.tag != "{http://www.w3.org/2000/svg}svg":
            self.fault("the icon is not an SVG picture")
        mime = ElementTree.parse(self.path("share/mime/packages/umbrinex.xml")).getroot()
        declared = {t.get("type") for t in mime.iter(MIME + "mime-type")}
        opened = {t for t in desktop.get("MimeType", "").split(";") if t}
        if declared != opened:
            self.fault("the desktop entry opens %s but the MIME package declares %s" % (opened, declared))
        # The shared MIME database compiles the package; a fault in it shows here.
        database = tempfile.mkdtemp()
        try:
            shutil.copytree(self.path("share/mime"), os.path.join(database, "mime"))
            run = subprocess.run(["update-mime-database", os.path.join(database, "mime")],
                                 capture_output=True, text=True, env=dict(os.environ, XDG_DATA_HOME=database))
            if run.returncode != 0 or run.stderr.strip():
                self.fault("update-mime-database: " + run.stderr)
            with open(os.path.join(database, "mime", "globs2"), encoding="utf-8") as globs:
                if "application/x-umbrinex-design:*.mxd" not in globs.read():
                    self.fault("the compiled MIME database has no *.mxd pattern")
            with open(os.path.join(database, "mime", "magic"), "rb") as magic:
                content = magic.read()
                for mime_type in declared:
                    if mime_type.encode() not in content:
                        self.fault("the compiled MIME database has no header rule for " + mime_type)
        finally:
            shutil.rmtree(database)

    def check_python(self, module):
        if module is None:
            return
        example = sorted(glob.glob(self.path(DATA + "/Examples/*.mxd")))[0]
        script = ("import json, sys, umbrinex\n"
                  "print(json.dumps(umbrinex.open(sys.argv[1]).key_results()))\n")
        environment = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.dirname(self.path(module))))
        run = subprocess.run(["/usr/bin/python3", "-c", script, example], capture_output=True, text=True,
                             env=environment)
        cli = subprocess.run([self.path("bin/umbrinex-cli"), "--json", example], capture_output=True, text=True)
        if run.returncode != 0:
            self.fault("the installed Python module does not run: " + run.stderr)
        elif json.loads(run.stdout) != json.loads(cli.stdout)["key_results"]:
            self.fault("the installed Python module and umbrinex-cli disagree")
        examples = self.path(DATA + "/Examples/length_sweep.py")
        sweep = subprocess.run(["/usr/bin/python3", examples, "--steps", "2", example], capture_output=True,
                               text=True, env=environment)
        if sweep.returncode != 0 or "MBR / ABR" not in sweep.stdout:
            self.fault("the installed example script does not run: " + sweep.stderr)
        # The load history scan, on a local cluster through umbrinex.dask.
        history = os.path.join(tempfile.mkdtemp(), "history.csv")
        with open(history, "w", encoding="utf-8") as f:
            f.write("time (s),tension (kN),angle (deg)\n0,31,29\n1,42,22\n2,11,46\n")
        for extra in ([], ["--dask"]):
            scan = subprocess.run(["/usr/bin/python3", self.path(DATA + "/Examples/scan_history.py"), history, example,
                                   *extra], capture_output=True, text=True, env=environment)
            if scan.returncode != 0 or "Worst MBR / ABR" not in scan.stdout:
                self.fault("the installed scan_history.py %s does not run: %s" % (" ".join(extra), scan.stderr))
        shutil.rmtree(os.path.dirname(history))


def check_package(build, source):
    """Builds the .deb and checks its fields and that it holds what an
    installation does, below /usr."""
    faults = []
    output = tempfile.mkdtemp(prefix="umbrinex-deb-")
    try:
        run = subprocess.run(["cpack", "-G", "DEB", "-B", output, "--config",
                              os.path.join(build, "CPackConfig.cmake")], capture_output=True, text=True, cwd=build)
        packages = glob.glob(os.path.join(output, "*.deb"))
        if run.returncode != 0 or len(packages) != 1:
            return ["cpack did not build one .deb:\n" + run.stdout + run.stderr]
        info = subprocess.run(["dpkg-deb", "--field", packages[0], "Package", "Version", "Depends", "Suggests"],
                              capture_output=True, text=True, check=True).stdout
        fields = dict(line.split(": ", 1) for line in info.splitlines() if ": " in line)
        if fields.get("Package") != "umbrinex":
            faults.append("package name: %r" % fields.get("Package"))
        for dependency in ("libqt6widgets6", "libqt6svg6", "libxlsxwriter", "python3-numpy", "shared-mime-info"):
            if dependency not in fields.get("Depends", ""):
                faults.append("the package does not depend on " + dependency)
        for suggestion in ("python3-pandas", "python3-dask", "python3-distributed"):
            if suggestion not in fields.get("Suggests", ""):
                faults.append("the package does not suggest " + suggestion)
        listing = subprocess.run(["dpkg-deb", "--contents", packages[0]], capture_output=True, text=True,
                                 check=True).stdout
        held = {line.split(maxsplit=5)[-1][len("./usr/"):] for line in listing.splitlines()
                if not line.startswith("d")}
        expected = Checker(build, source, "").expected_files()
        for missing in sorted(expected - held):
            faults.append("not in the package: /usr/" + missing)
        if len(compiled_modules(held)) != 1:
            faults.append("the package holds no compiled module of the Python package")
    finally:
        shutil.rmtree(output)
    return faults


def check_installation(build, source):
    prefix = tempfile.mkdtemp(prefix="umbrinex-install-")
    try:
        run = subprocess.run(["cmake", "--install", build, "--prefix", prefix], capture_output=True, text=True)
        if run.returncode != 0:
            return ["cmake --install failed:\n" + run.stdout + run.stderr]
        checker = Checker(build, source, prefix)
        module = checker.check_listing()
        checker.check_programs()
        checker.check_data()
        checker.check_desktop()
        checker.check_python(module)
        return checker.faults
    finally:
        shutil.rmtree(prefix)


def main():
    build, source = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    faults = check_package(build, source) if "--deb" in sys.argv else check_installation(build, source)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
