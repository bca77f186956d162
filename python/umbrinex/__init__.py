# The package umbrinex: the compiled module umbrinex._umbrinex holds the
# designs, and this file hands them on under the package's own name, so that
# a Design or an Error pickles as umbrinex.Design or umbrinex.Error (and a
# worker process that unpickles one needs only `import umbrinex`).
# umbrinex.dask, imported on its own, scans load histories on a Dask
# cluster; `import umbrinex` alone imports no Dask.
from umbrinex._umbrinex import Design, Error, __doc__, __version__, open  # noqa: F401

for _public in (Design, Error):
    _public.__module__ = __name__
del _public

__all__ = ["Design", "Error", "open"]
