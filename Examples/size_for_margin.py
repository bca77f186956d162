#!/usr/bin/env python3
"""Sizes a design's stiffener for a series of margins on the allowable bend
radius and prints, for each, the sized variables, the volume and the
governing load case; optionally saves each sized design.

    python3 size_for_margin.py [DESIGN] [--margins 1.0,1.1,1.2] [--vary length,root-diameter]
                               [--save PREFIX]

Without a design the default one is used. A margin no shape within the
default bounds can reach is reported with the best shape reached.
"""
import argparse

import umbrinex


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("design", nargs="?", help="design file (.mxd); the default design without one")
    parser.add_argument("--margins", default="1.0,1.1,1.2", help="targets of MBR/ABR, comma-separated")
    parser.add_argument("--vary", default=None, help="sizing variables, comma-separated")
    parser.add_argument("--save", default=None, help="saves each sized design as PREFIX-<margin>.mxd")
    args = parser.parse_args()

    design = umbrinex.open(args.design) if args.design else umbrinex.Design()
    print(f"{'target':>7} {'status':>10} {'volume':>10} {'ratio':>8}  governing  variables")
    for margin in (float(m) for m in args.margins.split(",")):
        sized, report = design.size(vary=args.vary, target=margin)
        governing = report["governing"]
        variables = ", ".join(f"{v['name']} {v['after']:.4f}" for v in report["variables"])
        print(f"{margin:7.3f} {report['status']:>10} {report['volume']['after']:10.6f} {governing['ratio']:8.4f}"
              f"  LC {governing['load_case']}, S {governing['state']}  {variables}")
        if sized is None:
            print(f"        {report['message']}")
        elif args.save:
            sized.save(f"{args.save}-{margin:g}.mxd")


if __name__ == "__main__":
    main()
