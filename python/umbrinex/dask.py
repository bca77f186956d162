"""Load histories scanned on a Dask cluster.

    import dask.dataframe
    import distributed
    import umbrinex
    import umbrinex.dask

    client = distributed.Client()           # or Client("tcp://host:8786")
    design = umbrinex.open("riser.mxd")
    history = dask.dataframe.read_csv("history-*.csv")   # time, tension, angle
    response = umbrinex.dask.scan(design, history, time="time")
    print(response["ratio"].min().compute())

scan maps Design.scan over the partitions of the history, so each worker
solves its partitions on all of its threads; the design travels to the
workers pickled, as its file. The result is a Dask DataFrame with the
columns of Design.scan; computing it runs on the current client (or Dask's
default scheduler when there is none). Workers need the umbrinex package
importable, as on the machine that builds the graph.
"""
import dask
import dask.array
import dask.dataframe
import numpy
import pandas

from umbrinex import Design

__all__ = ["scan"]


def scan(design, frame, state=None, tension="tension", angle="angle", time=None):
    """The response of the design to a load history held by Dask.

    frame is a Dask DataFrame whose columns named by tension and angle (and
    time, when given) hold the history, or a Dask Array of two columns
    (tension, angle) or three (time, tension, angle), as the columns of a
    history file; the names are then not used. state is as Design.scan has
    it: one state (1-based), or None for every state some load case of the
    design includes.

    Returns a Dask DataFrame with the columns of Design.scan, one row per
    history row and state, in the order of the history; row counts the
    history's rows from 1 over all partitions, and the index counts the
    result's rows from 0. The lengths of the partitions are found first
    (the history is read once for them and kept in memory until the scan
    of each partition starts). Nothing is solved until the result is
    computed.
    """
    if not isinstance(design, Design):
        raise TypeError("scan takes a umbrinex.Design, not %s" % type(design).__name__)
    if isinstance(frame, dask.array.Array):
        frame, tension, angle, time = _array_frame(frame)
    elif not isinstance(frame, dask.dataframe.DataFrame):
        raise TypeError("scan takes a Dask DataFrame or a Dask Array, not %s (Design.scan takes arrays in memory)"
                        % type(frame).__name__)
    names = [name for name in (time, tension, angle) if name is not None]
    missing = [name for name in names if name not in frame.columns]
    if missing:
        raise ValueError("the history has no column %s; its columns are %s"
                         % (", ".join(map(repr, missing)), ", ".join(map(repr, frame.columns))))
    empty = numpy.empty(0)
    # The columns and types of every partition's result, and any refusal of
    # the state or of the design, before anything is computed.
    meta = pandas.DataFrame(design.scan(empty, empty, state, None if time is None else empty))
    history = frame[names]
    starts = dask.delayed(_starts)(history.map_partitions(len, meta=(None, "int64")))
    return history.map_partitions(_scan_partition, dask.delayed(design), state, (tension, angle, time), starts,
                                  meta=meta)


def _array_frame(array):
    if array.ndim != 2 or array.shape[1] not in (2, 3):
        raise ValueError("a history array has two columns (tension, angle) or three (time, tension, angle), "
                         "not shape %s" % (array.shape,))
    names = ["tension", "angle"] if array.shape[1] == 2 else ["time", "tension", "angle"]
    # Whole rows in each block, so that every partition holds its rows'
    # tensions and angles together.
    frame = dask.dataframe.from_dask_array(array.rechunk({1: -1}), columns=names)
    return frame, "tension", "angle", "time" if len(names) == 3 else None


def _starts(lengths):
    """The history rows before each partition."""
    return numpy.concatenate(([0], numpy.cumsum(numpy.asarray(lengths, dtype=numpy.int64))))


def _scan_partition(part, design, state, names, starts, partition_info=None):
    tension, angle, time = names
    first = int(starts[partition_info["number"]]) if partition_info else 0
    result = design.scan(part[tension].to_numpy(), part[angle].to_numpy(), state,
                         None if time is None else part[time].to_numpy())
    table = pandas.DataFrame(result)
    table["row"] += first
    per_row = len(table) // len(part) if len(part) else 0
    table.index = pandas.RangeIndex(first * per_row, first * per_row + len(table))
    return table
