#!/usr/bin/env python3
"""Checks that every source file includes only its own layer and the layers
below it, and Qt only where the layer may use it.

    CheckIncludes.py ROOT [QT_INCLUDE_DIR]   check the tree under ROOT
    CheckIncludes.py --self-test             check the checker on made-up trees

With QT_INCLUDE_DIR (the folder holding QtCore, QtGui, QtWidgets ...), a Qt
header is also traced to its module, so that a layer painting with Qt Gui
cannot pull in widgets. Exit status 1 lists every violation.
"""
import os
import re
import sys
import tempfile

CORE = ['numerics', 'framework/data', 'framework/grid', 'formdata', 'bend', 'persistence', 'presentation', 'charts']

DESKTOP_BELOW = ['graphics', 'charts', 'presentation', 'formdata', 'framework/grid', 'framework/data', 'numerics']

# Folder -> (folders it may include besides its own, Qt it may use).
# Qt: None, 'gui' (Qt Core, Gui and Svg) or 'widgets' (any Qt module).
LAYERS = {
    'numerics': ([], None),
    'framework/data': (['numerics'], None),
    'framework/grid': (['framework/data', 'numerics'], None),
    # Forms described as data and laid out as text, on the grid's rules.
    'formdata': (['framework/grid', 'framework/data', 'numerics'], None),
    'bend': (['framework/data', 'numerics'], None),
    'persistence': (['bend', 'framework/data', 'numerics'], None),
    'presentation': (['bend', 'formdata', 'framework/grid', 'framework/data', 'numerics'], None),
    'charts': (['presentation', 'bend', 'formdata', 'framework/grid', 'framework/data', 'numerics'], None),
    'graphics': (['charts', 'presentation', 'bend', 'formdata', 'framework/grid', 'framework/data', 'numerics'],
                 'gui'),
    # The desktop wing knows the model as a TModel: never the bend design,
    # nor the design files (the program hands their reading in).
    'desktop/kit': (DESKTOP_BELOW, 'widgets'),
    # The forms keep their copies for Cancel in the tagged format.
    'desktop/forms': (['desktop/kit', 'persistence'] + DESKTOP_BELOW, 'widgets'),
    'shell': (['desktop/forms', 'desktop/kit', 'graphics'] + CORE, 'widgets'),
    'app/cli': (['cli', 'graphics'] + CORE, 'gui'),
    'app/gui': (['shell', 'desktop/forms', 'desktop/kit', 'graphics'] + CORE, 'widgets'),
    # The Python module: the batch program's Qt-free core and what it uses.
    'python': (['cli'] + CORE, None),
}
# Folders an include path may name, longest first so that "framework/data"
# wins over a folder called "framework".
INCLUDABLE = sorted({f for f in LAYERS if not f.startswith('app/') and f != 'python'} | {'cli'}, key=len,
                    reverse=True)
GUI_MODULES = {'QtCore', 'QtGui', 'QtSvg'}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(relative):
    """The layer a source file (path relative to the root) belongs to."""
    if relative.startswith('python/'):
        return 'python'
    for prefix, base in (('src/', ''), ('app/', 'app/')):
        if relative.startswith(prefix):
            rest = base + relative[len(prefix):]
            for layer in sorted(LAYERS, key=len, reverse=True):
                if rest.startswith(layer + '/'):
                    return layer
    return None


def included_layer(path):
    for folder in INCLUDABLE:
        if path.startswith(folder + '/'):
            return folder
    return None


def qt_module(header, qt_dir):
    """The Qt module that provides a header such as <QWidget>, or None."""
    if '/' in header:
        return header.split('/')[0]
    if not qt_dir:
        return None
    for module in sorted(os.listdir(qt_dir)):
        if os.path.isfile(os.path.join(qt_dir, module, header)):
            return module
    return None


def is_qt(header):
    return re.match(r'^Q[A-Za-z]', header) is not None or header.startswith('Qt')


def check_file(root, relative, qt_dir):
    layer = layer_of(relative)
    if layer is None:
        # A new folder of sources is a new layer: it must say where it stands.
        if relative.startswith('src/'):
            return [f'{relative}: a folder the layers do not know; add it to LAYERS']
        return []
    allowed, qt = LAYERS[layer]
    own = 'cli' if layer == 'app/cli' else layer
    problems = []
    with open(os.path.join(root, relative), encoding='utf-8', errors='replace') as f:
        for number, line in enumerate(f, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, path = match.groups()
            where = f'{relative}:{number}: '
            if quote == '"':
                target = included_layer(path)
                if target and target != own and target not in allowed:
                    problems.append(where + f'{layer} may not include "{path}" ({target} is not below it)')
            elif is_qt(path):
                if qt is None:
                    problems.append(where + f'{layer} builds without Qt but includes <{path}>')
                elif qt == 'gui':
                    module = qt_module(path, qt_dir)
                    if module is not None and module not in GUI_MODULES:
                        problems.append(where + f'{layer} paints with Qt Gui only but includes <{path}> ({module})')
    return problems


def check_tree(root, qt_dir=None):
    problems = []
    for top in ('src', 'app', 'python'):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if name.endswith(('.h', '.cpp')):
                    relative = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, '/')
                    problems += check_file(root, relative, qt_dir)
    return problems


def self_test():
    cases = [
        ('src/bend/Bend.h', '#include "framework/data/Table.h"\n#include <vector>\n', 0),
        ('src/bend/Bend.h', '#include "shell/Main.h"\n', 1),
        ('src/persistence/File.cpp', '#include "presentation/Reports.h"\n', 1),
        ('src/framework/data/Units.h', '#include <QString>\n', 1),
        ('src/charts/Curve.h', '#include <QtGui/QColor>\n', 1),
        ('src/graphics/Painter.h', '#include <QtWidgets/QWidget>\n', 1),
        ('src/graphics/Painter.h', '#include <QtGui/QPainter>\n#include "charts/Curve.h"\n', 0),
        ('src/graphics/Painter.h', '#include "desktop/kit/Graph.h"\n', 1),
        ('app/cli/Main.cpp', '#include "cli/Cli.h"\n#include "graphics/GraphFiles.h"\n', 0),
        ('app/cli/Main.cpp', '#include "desktop/kit/Application.h"\n', 1),
        ('src/shell/Main.cpp', '#include "desktop/kit/KitMain.h"\n#include <QtWidgets/QMenu>\n', 0),
        ('src/framework/grid/GridCore.h', '#include "framework/data/DataAccess.h"\n', 0),
        ('src/framework/grid/GridCore.h', '#include <QString>\n', 1),
        ('src/framework/grid/GridCore.h', '#include "bend/Bend.h"\n', 1),
        ('src/desktop/forms/KitGrid.h', '#include "framework/grid/GridCore.h"\n#include <QWidget>\n', 0),
        ('src/desktop/kit/Filer.cpp', '#include "bend/Bend.h"\n', 1),
        ('src/desktop/kit/Filer.cpp', '#include "persistence/BendFile.h"\n', 1),
        ('src/desktop/forms/DataForm.cpp', '#include "bend/Bend.h"\n', 1),
        ('src/desktop/forms/DataForm.cpp', '#include "persistence/Copies.h"\n', 0),
        ('src/framework/data/Model.h', '#include "desktop/kit/KitMain.h"\n', 1),
        ('python/Module.cpp', '#include "cli/Cli.h"\n#include "PyDesign.h"\n#include <pybind11/numpy.h>\n', 0),
        ('python/Module.cpp', '#include "graphics/GraphFiles.h"\n', 1),
        ('python/Module.cpp', '#include <QtCore/QString>\n', 1),
        ('src/formdata/FormText.cpp', '#include "framework/grid/GridCore.h"\n', 0),
        ('src/formdata/FormText.cpp', '#include "bend/Bend.h"\n', 1),
        ('src/formdata/FormText.cpp', '#include <QWidget>\n', 1),
        ('src/presentation/DataForms.cpp', '#include "formdata/FormText.h"\n', 0),
        ('src/framework/grid/GridCore.h', '#include "formdata/FormText.h"\n', 1),
        ('src/newlayer/Thing.cpp', '#include <vector>\n', 1),
    ]
    failures = 0
    for path, text, expected in cases:
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, os.path.dirname(path)))
            with open(os.path.join(root, path), 'w') as f:
                f.write(text)
            found = len(check_tree(root))
            if found != expected:
                failures += 1
                print(f'self-test: {path} with {text!r}: {found} problems, expected {expected}')
    print('self-test: %d of %d cases wrong' % (failures, len(cases)))
    return 1 if failures else 0


def main(argv):
    if len(argv) == 2 and argv[1] == '--self-test':
        return self_test()
    if len(argv) not in (2, 3):
        print(__doc__)
        return 2
    problems = check_tree(argv[1], argv[2] if len(argv) == 3 else None)
    for problem in problems:
        print(problem)
    print(f'{len(problems)} includes against the layers')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
