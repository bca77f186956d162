#!/usr/bin/env python3
"""Sweeps the stiffener length of a design and prints, for each length, the
largest root moment and the smallest ratio of minimum bend radius to ABR over
every load case and state.

    python3 length_sweep.py [DESIGN] [--from L1] [--to L2] [--steps N]

Without a design the default one is used. The length is the active length of
a power-law stiffener (item 21021); a user-defined profile is stretched by
scaling the arc length of every point (item 21031).
"""
import argparse
import time

import umbrinex

ACTIVE_LENGTH = 21021
STIFFENER_DEFINITION = 21020
NUMBER_OF_POINTS = 21030
POINT_ARC_LENGTH = 21031


def stiffener_length(design):
    if design.get(STIFFENER_DEFINITION) == "Stiffness Power Law":
        return design.get(ACTIVE_LENGTH)
    return design.get(POINT_ARC_LENGTH, row=design.get(NUMBER_OF_POINTS))


def set_length(design, length, profile):
    """Sets the stiffener length; profile holds the arc lengths of a user-defined profile."""
    if not profile:
        design.set(ACTIVE_LENGTH, length)
        return
    # Stretch from the tip down, so that the arc lengths stay increasing.
    scale = length / profile[-1]
    for row in range(len(profile), 0, -1):
        design.set(POINT_ARC_LENGTH, profile[row - 1] * scale, row=row)


def min_ratio(results):
    """The smallest MBR / ABR over every load case and included state."""
    ratios = [state["min_bend_radius"] / case["abr"]
              for case in results["load_cases"] for state in case["states"]
              if not isinstance(state["min_bend_radius"], str)]
    return min(ratios) if ratios else float("inf")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("design", nargs="?", help="a .mxd or .dat design file")
    parser.add_argument("--from", dest="first", type=float, help="the first length (default: half the design's)")
    parser.add_argument("--to", dest="last", type=float, help="the last length (default: twice the design's)")
    parser.add_argument("--steps", type=int, default=16, help="the number of lengths (default 16)")
    options = parser.parse_args()

    design = umbrinex.open(options.design) if options.design else umbrinex.Design()
    length = stiffener_length(design)
    first = options.first if options.first is not None else 0.5 * length
    last = options.last if options.last is not None else 2.0 * length
    steps = max(options.steps, 2)
    profile = []
    if design.get(STIFFENER_DEFINITION) != "Stiffness Power Law":
        profile = [design.get(POINT_ARC_LENGTH, row=row) for row in range(1, design.get(NUMBER_OF_POINTS) + 1)]

    unit = next(item["unit"] for item in design.items() if item["varnum"] == ACTIVE_LENGTH)
    moment_unit = "%s.%s" % (design.get(5), design.get(3))
    print("%10s  %16s  %10s  %s" % ("Length", "Root moment", "MBR / ABR", "Governing"))
    print("%10s  %16s" % ("(%s)" % unit, "(%s)" % moment_unit))
    started = time.perf_counter()
    for step in range(steps):
        value = first + (last - first) * step / (steps - 1)
        set_length(design, value, profile)
        results = design.results()
        event = results["key_results"]["max_root_moment"]
        if event is None:
            print("%10.4g  no active load cases" % value)
            continue
        print("%10.4g  %16.6g  %10.4f  state %d, load case %d" % (
            value, event["root_moment"], min_ratio(results), event["state"], event["load_case"]))
    elapsed = time.perf_counter() - started
    print("%d lengths in %.1f ms" % (steps, 1000.0 * elapsed))


if __name__ == "__main__":
    main()
