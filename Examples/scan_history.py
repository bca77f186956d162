#!/usr/bin/env python3
"""Scans a load history through a design and prints the worst ratio of
minimum bend radius to ABR and the largest root moment, with the rows and
states where they occur.

    python3 scan_history.py [HISTORY.csv] [DESIGN] [--state N] [--dask [ADDRESS]]

The history is a CSV file with a header line and columns tension and angle,
and time if it has one; a unit in parentheses after a name is allowed
("tension (kN)"), and the values are in the design's units. Without a
history file the example sea_state_history.csv beside this script is read;
without a design the default one is used. Every row is solved as a load
case of its own, on every core. With --dask the scan runs on a Dask cluster:
at the scheduler ADDRESS ("tcp://host:8786"), or on a local cluster started
for the run when no address is given.
"""
import argparse
import os
import re
import time

import pandas

import umbrinex

EXAMPLE_HISTORY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sea_state_history.csv")


def history_columns(frame):
    """The headers of time (or None), tension and angle, found by name with any unit stripped."""
    named = {re.sub(r"\(.*?\)", "", str(header)).strip().lower(): header for header in frame.columns}
    missing = [name for name in ("tension", "angle") if name not in named]
    if missing:
        raise SystemExit("the history has no column %s; its columns are %s"
                         % (" or ".join(missing), ", ".join(map(str, frame.columns))))
    return named.get("time"), named["tension"], named["angle"]


def scan_in_process(design, history, columns, state):
    time_, tension, angle = columns
    return pandas.DataFrame(design.scan(history[tension], history[angle], state,
                                        None if time_ is None else history[time_]))


def scan_on_cluster(design, history, columns, state, address):
    # Imported here: the in-process scan needs no Dask.
    import dask.dataframe
    import distributed

    import umbrinex.dask

    time_, tension, angle = columns
    cluster = None
    if not address:
        # Two workers of one thread each, every scan sharing the cores
        # between them.
        threads = str(max(1, (os.cpu_count() or 2) // 2))
        cluster = distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                           dashboard_address=None, env={"UMBRINEX_THREADS": threads})
    try:
        with distributed.Client(address or cluster) as client:
            workers = max(1, len(client.nthreads()))
            frame = dask.dataframe.from_pandas(history, npartitions=min(len(history), 4 * workers) or 1)
            response = umbrinex.dask.scan(design, frame, state, tension=tension, angle=angle, time=time_)
            return client.compute(response).result()
    finally:
        if cluster is not None:
            cluster.close()


def where(response, i, time_unit):
    entry = response.loc[i]
    text = "row %d" % entry["row"]
    if "time" in response:
        text += " (time %g%s)" % (entry["time"], time_unit)
    return text + ", state %d" % entry["state"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("history", nargs="?", default=EXAMPLE_HISTORY, help="a CSV load history")
    parser.add_argument("design", nargs="?", help="a .mxd or .dat design file")
    parser.add_argument("--state", type=int, help="the state to scan (1 or 2); every included one without it")
    parser.add_argument("--dask", nargs="?", const="", metavar="ADDRESS",
                        help="scan on a Dask cluster: the scheduler's address, or none for a local cluster")
    options = parser.parse_args()

    if not os.path.isfile(options.history):
        raise SystemExit("no history file %s" % options.history)
    design = umbrinex.open(options.design) if options.design else umbrinex.Design()
    # Lines starting with "#" are remarks, as the batch program reads them.
    history = pandas.read_csv(options.history, comment="#", skipinitialspace=True)
    columns = history_columns(history)
    started = time.perf_counter()
    if options.dask is None:
        response = scan_in_process(design, history, columns, options.state)
    else:
        response = scan_on_cluster(design, history, columns, options.state, options.dask)
    seconds = time.perf_counter() - started

    force, length = design.get("Units.Force"), design.get("Units.Length")
    unit = re.search(r"\((.*?)\)", str(columns[0])) if columns[0] is not None else None
    time_unit = " " + unit.group(1) if unit else ""
    states = ", ".join(str(s) for s in sorted(set(response["state"])))
    print("%d rows of %s, states %s, scanned in %.2f s %s"
          % (len(history), os.path.basename(options.history), states, seconds,
             "in process" if options.dask is None else "on the cluster"))
    if response.empty:
        return
    worst = response["ratio"].idxmin()
    entry = response.loc[worst]
    print("Worst MBR / ABR: %.4f at %s: tension %g %s, angle %g deg, on the %s at %g %s"
          % (entry["ratio"], where(response, worst, time_unit), entry["tension"], force, entry["angle"],
             entry["on"], entry["position"], length))
    largest = response["root_moment"].abs().idxmax()
    print("Largest root moment: %.4f %s.%s at %s"
          % (response.loc[largest, "root_moment"], force, length, where(response, largest, time_unit)))


if __name__ == "__main__":
    main()
