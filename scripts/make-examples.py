#!/usr/bin/env python3
"""Writes the example designs of Examples/ through the program's own model,
as a user would enter them: every value goes through the same validation as
a typed one. Run it with the Python module built:

    PYTHONPATH=build/python /usr/bin/python3 scripts/make-examples.py Examples
"""
import os
import sys

import umbrinex

# VarNums of the items the examples set.
SYSTEM = 2
PROJECT, CLIENT, DESIGNER = 21002, 21003, 21004
CABLE_EI_1, CABLE_EI_2, ABR, BORE = 21010, 21011, 21012, 21013
DEFINITION, LENGTH, ROOT, TIP, POWER, MATERIAL = 21020, 21021, 21022, 21023, 21024, 21025
POINTS, POINT_ARC, POINT_DIAMETER, POINT_MATERIAL = 21030, 21031, 21032, 21033
LINEAR_E, CURVE_POINTS, STRAIN, STRESS_OVER_E, STRESS = 21040, 21041, 21042, 21043, 21044
MATERIALS, MATERIAL_NAME, SELECTED_MATERIAL, CURRENT_STATE, SPECIFIER = 21045, 21046, 21047, 21048, 21049
LOAD_CASES, TENSION, ANGLE, CASE_ABR, STATE_1, STATE_2 = 21060, 21061, 21062, 21063, 21064, 21065
STATION_STIFFENER, STATION_CABLE, CABLE_LENGTH, OUTPUT_STIFFENER, OUTPUT_CABLE, LINEARITY = range(21070, 21076)
LENGTH_FACTORS = (21076, 21077, 21078)
STIFFNESS_FACTORS = (21079, 21080, 21081)
TENSIONS = (21082, 21083, 21084)
ANGLES = (21085, 21086, 21087)
CIRCLES, CIRCLE_X, CIRCLE_Y, CIRCLE_DIAMETER = 21100, 21101, 21102, 21103
MOULD_DIAMETERS, MOULD_DIAMETER = 21110, 21111


def set_rows(design, count_item, columns, rows):
    """Sets a table: the row count, then each row's cells column by column."""
    design.set(count_item, len(rows))
    for row, values in enumerate(rows, start=1):
        for varnum, value in zip(columns, values):
            design.set(varnum, value, row=row)


def set_range(design, items, values):
    for varnum, value in zip(items, values):
        design.set(varnum, value)


def project(design, title, client, designer):
    design.set(PROJECT, title)
    design.set(CLIENT, client)
    design.set(DESIGNER, designer)


def material(design, number, name, moduli, curves=None):
    """Material number (from 1) with its modulus per state and, when given,
    its measured curve per state as (strain, stress) pairs."""
    design.set(MATERIAL_NAME, name, row=number)
    design.set(SELECTED_MATERIAL, number - 1)
    for state, modulus in enumerate(moduli):
        design.set(CURRENT_STATE, state)
        design.set(LINEAR_E, modulus)
        if curves:
            design.set(SPECIFIER, "Dimensional")
            set_rows(design, CURVE_POINTS, (STRAIN, STRESS), curves[state])
    design.set(CURRENT_STATE, 0)


def mould(design, smallest, largest, step):
    count = int(round((largest - smallest) / step)) + 1
    set_rows(design, MOULD_DIAMETERS, (MOULD_DIAMETER,), [(round(smallest + i * step, 4),) for i in range(count)])


def cable(design, stiffness, abr, bore):
    """The cable: its bend stiffness in each state, its ABR, the stiffener's bore."""
    design.set(CABLE_EI_1, stiffness[0])
    design.set(CABLE_EI_2, stiffness[1])
    design.set(ABR, abr)
    design.set(BORE, bore)


def power_law(design, length, root, tip, power):
    design.set(DEFINITION, "Stiffness Power Law")
    for varnum, value in ((LENGTH, length), (ROOT, root), (TIP, tip), (POWER, power)):
        design.set(varnum, value)


def profile(design, points, materials=None):
    """User-defined points of (arc length, diameter); materials names the
    material of each segment."""
    design.set(DEFINITION, "User Defined")
    set_rows(design, POINTS, (POINT_ARC, POINT_DIAMETER), points)
    for row, name in enumerate(materials or [], start=1):
        design.set(POINT_MATERIAL, name, row=row)


def load_cases(design, cases):
    """(tension, angle) or (tension, angle, ABR, State 1, State 2) each."""
    full = [case if len(case) == 5 else case + ("~", "Yes", "Yes") for case in cases]
    set_rows(design, LOAD_CASES, (TENSION, ANGLE, CASE_ABR, STATE_1, STATE_2), full)


def analysis(design, interval, cable_length, output, tensions, angles):
    """Station and output intervals (stiffener and cable alike), the bare
    cable analysed, and the ranges of the performance chart."""
    for varnum, value in ((STATION_STIFFENER, interval), (STATION_CABLE, interval), (CABLE_LENGTH, cable_length),
                          (OUTPUT_STIFFENER, output), (OUTPUT_CABLE, output)):
        design.set(varnum, value)
    set_range(design, TENSIONS, tensions)
    set_range(design, ANGLES, angles)


def dynamic_riser():
    """An 8-inch production riser leaving a turret I-tube: cold sea water
    (State 1) and the riser hot with production fluid (State 2)."""
    design = umbrinex.Design()
    project(design, "8-inch dynamic production riser, turret I-tube", "Example Offshore Ltd", "Riser engineering")
    cable(design, (95.0, 60.0), 3.2, 0.38)
    power_law(design, 5.0, 0.85, 0.45, 2.2)
    material(design, 1, "PU 95A", (75000.0, 40000.0))
    load_cases(design, [(150, 35), (300, 30), (450, 25), (600, 20), (800, 15), (1000, 12)])
    analysis(design, 0.05, 2.0, 0.25, (0, 1200, 31), (0, 40, 0.01))
    mould(design, 0.45, 1.00, 0.05)
    return design


def umbilical():
    """A steel-tube umbilical at a platform J-tube, its stiffener moulded in
    two polyurethanes: a hard grade over the root, a softer one to the tip."""
    design = umbrinex.Design()
    project(design, "Control umbilical, platform J-tube exit", "Example Offshore Ltd", "Umbilical engineering")
    cable(design, (14.0, 10.0), 1.8, 0.16)
    design.set(MATERIALS, 2)
    material(design, 1, "PU 95A", (80000.0, 50000.0))
    material(design, 2, "PU 85A", (35000.0, 22000.0))
    profile(design, [(0.0, 0.60), (0.6, 0.52), (1.4, 0.38), (2.4, 0.24), (3.2, 0.17)],
            ["PU 95A", "PU 95A", "PU 85A", "PU 85A"])
    # The last case is the pull-in at installation: the largest tension, a
    # static case checked against the cable's larger static ABR, and made in
    # cold sea water only.
    load_cases(design, [(20, 40), (50, 32), (80, 25), (120, 18), (150, 12, 2.4, "Yes", "No")])
    analysis(design, 0.025, 1.0, 0.1, (0, 200, 31), (0, 60, 0.01))
    mould(design, 0.15, 0.65, 0.025)
    return design


# A polyurethane measured in tension and compression at 5 °C: (strain,
# stress in kN/m^2); it softens as the strain grows. At 30 °C it carries
# about two thirds of the stress at every strain.
MEASURED_CURVE = [(-0.10, -6600.0), (-0.06, -4300.0), (-0.03, -2300.0), (-0.01, -800.0), (0.0, 0.0),
                  (0.01, 780.0), (0.03, 2150.0), (0.06, 3800.0), (0.10, 5500.0), (0.15, 7100.0)]


def power_cable():
    """A dynamic power cable whose stiffener is calculated with the measured,
    non-linear stress-strain curve of its polyurethane."""
    design = umbrinex.Design()
    project(design, "33 kV dynamic power cable, hang-off", "Example Wind Ltd", "Cable engineering")
    cable(design, (6.0, 4.5), 1.5, 0.12)
    warm = [(strain, round(0.65 * stress, 1)) for strain, stress in MEASURED_CURVE]
    material(design, 1, "PU 90A measured", (80000.0, 52000.0), (MEASURED_CURVE, warm))
    profile(design, [(0.0, 0.45), (0.8, 0.36), (1.8, 0.22), (2.6, 0.13)])
    design.set(LINEARITY, "Non-Linear")
    load_cases(design, [(15, 50), (40, 40), (70, 32), (100, 24)])
    analysis(design, 0.05, 1.0, 0.1, (0, 120, 11), (0, 50, 0.01))
    mould(design, 0.10, 0.50, 0.025)
    return design


def jumper_us():
    """A 6-inch flexible jumper at a subsea manifold, entered in US units:
    lengths in ft, forces in kips (kp), stiffness in kp.ft^2, moduli in
    kp/ft^2."""
    design = umbrinex.Design()
    design.set(SYSTEM, "US")
    project(design, "6-inch flexible jumper, manifold hub", "Example Gulf Operator", "Subsea engineering")
    cable(design, (48.0, 36.0), 6.5, 0.85)
    power_law(design, 12.0, 2.6, 1.0, 2.0)
    material(design, 1, "PU 93A", (1250.0, 800.0))
    load_cases(design, [(10, 35), (25, 28), (45, 20), (80, 12)])
    analysis(design, 0.15, 5.0, 0.5, (0, 100, 31), (0, 50, 0.01))
    mould(design, 0.9, 3.0, 0.1)
    return design


DESIGNS = {
    "Dynamic Riser.mxd": dynamic_riser,
    "Umbilical Two Materials.mxd": umbilical,
    "Power Cable Non-Linear.mxd": power_cable,
    "Jumper US Units.mxd": jumper_us,
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "Examples"
    for name, make in DESIGNS.items():
        design = make()
        design.save(os.path.join(folder, name))
        key = design.key_results()["max_root_moment"]
        ratios = [state["min_bend_radius"] / case["abr"] for case in design.load_cases() for state in case["states"]]
        print("%-32s root moment %10.4g (state %d, load case %d), smallest MBR/ABR %.3f, base ratio %.3f" % (
            name, key["root_moment"], key["state"], key["load_case"], min(ratios),
            design.design_chart()["base_ratio"]))


if __name__ == "__main__":
    main()
