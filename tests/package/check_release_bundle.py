#!/usr/bin/env python3
"""The package of several releases that scripts/package.sh makes, as a 3ds Max user gets it.

Usage: check_release_bundle.py --out DIR --version V --years Y [Y ...] --host RELEASE_HOST.EXE --wine-prefix DIR

Checks, in --out: the bundle and the zip named as a test package, and nothing else; PackageContents.xml (read with
the standard library's XML parser): one "plugin parts" component per release, in year order, each for its year
alone and naming its module, which is there; the post-start-up scripts component and its files; the start-up
script's functions against the pages of metals.json that give a colour and its metals by name; each module loaded under Wine by a host of
its own release and refused by the host of every other, which names both; the module's version resource.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

from bundle_checks import expect, expect_zip_holds_the_bundle, failures, files_below, read_me_of_a_test_package, report


def check_components(bundle, root, version, years):
    """The modules by year, from the "plugin parts" components; the scripts component's files."""
    expect(root.get("AppVersion") == version, f"AppVersion {root.get('AppVersion')!r}, the project is {version}")
    modules, component_years = {}, []
    for component in root.findall("Components[@Description='plugin parts']"):
        requirements = component.find("RuntimeRequirements")
        entries = component.findall("ComponentEntry")
        if requirements is None or len(entries) != 1:
            failures.append("a plugin parts component without one RuntimeRequirements and one ComponentEntry")
            continue
        year = requirements.get("SeriesMin")
        expect(requirements.get("SeriesMax") == year, f"the component for {year} reaches {requirements.get('SeriesMax')}")
        expect({k: requirements.get(k) for k in ("OS", "Platform")} == {"OS": "Win64", "Platform": "3ds Max"},
               f"the component for {year} requires {requirements.attrib}")
        module = entries[0].get("ModuleName", "")
        expect(module == f"./Contents/{year}/Aurivel.dlt", f"the component for {year} names {module}")
        expect(os.path.isfile(os.path.join(bundle, module)), f"{module} is not in the bundle")
        expect(entries[0].get("Version") == version, f"the component for {year} is version {entries[0].get('Version')}")
        component_years.append(year)
        modules[year] = os.path.join(bundle, module)
    expect(component_years == [str(y) for y in years],
           f"the plugin parts components are for {component_years}, expected one for each of {years} in order")
    scripts = root.findall("Components[@Description='post-start-up scripts parts']")
    script_years = [c.find("RuntimeRequirements") for c in scripts]
    script_years = [(r.get("SeriesMin"), r.get("SeriesMax")) if r is not None else None for r in script_years]
    expect(script_years == [(str(y), str(y)) for y in years],
           f"the post-start-up scripts components are for {script_years}, expected one for each of {years} alone")
    script_files = []
    for component in scripts:
        for entry in component.findall("ComponentEntry"):
            path = os.path.join(bundle, entry.get("ModuleName", ""))
            expect(os.path.isfile(path), f"the scripts component names {entry.get('ModuleName')}, not in the bundle")
            if path not in script_files:
                script_files.append(path)
    return modules, script_files


def check_startup_scripts(bundle, script_files):
    """Four metal functions for each page with a colour and for each metal by name that recommends a page; the
    macroscript opens the bundled atlas."""
    with open(os.path.join(bundle, "Contents", "atlas", "metals.json"), encoding="utf-8") as f:
        atlas = json.load(f)
    functions = ["aurivel_" + re.sub(r"[^A-Za-z0-9]", "_", entry["page"]) for entry in atlas["metals"]
                 if "error" not in entry]
    functions += [book["function"] for book in atlas["books"] if "function" in book]
    expected = set()
    for function in functions:
        expected |= {function, function + "_acescg", function + "_arnold", function + "_arnold_acescg"}
    expect(bool(expected), "metals.json has no page with a colour")
    text = ""
    for path in script_files:
        with open(path, encoding="utf-8") as f:
            text += f.read()
    defined = set(re.findall(r"^fn (aurivel_\w+)", text, re.M))
    expect(defined == expected, f"the start-up scripts define {len(defined)} metal functions, the atlas has "
                                f"{len(expected)} ({sorted(defined ^ expected)[:6]} differ)")
    expect(re.search(r'^macroScript \w+\s+category:"Aurivel"', text, re.M) is not None,
           "no macroscript in category Aurivel")
    expect(r"..\atlas\index.html" in text, "the macroscript does not open the bundled atlas")


def run_host(args, year, module):
    drive_path = "Z:" + os.path.abspath(module)
    done = subprocess.run([args.runner, args.wine_prefix, args.host, str(year), drive_path],
                          capture_output=True, text=True)
    return done.returncode, done.stdout


def check_modules(args, modules):
    """Each module loads in a host of its release only; its version resource carries the project's version."""
    for module_year, module in modules.items():
        for host_year in args.years:
            code, output = run_host(args, host_year, module)
            if str(host_year) == module_year:
                expect(code == 0 and output.startswith("loaded Aurivel\n"),
                       f"a {host_year} host did not load the {module_year} module: {output.strip()}")
                if code != 0:
                    continue
                check_version_resource(module_year, output, args.version)
            else:
                expect(code == 1 and f"built for 3ds Max {module_year} " in output and
                       f"this host is 3ds Max {host_year} " in output,
                       f"a {host_year} host did not refuse the {module_year} module naming both: "
                       f"{output.splitlines()[0] if output else ''}")


def check_version_resource(year, output, version):
    values = dict(line.split("=", 1) for line in output.splitlines() if "=" in line)
    wanted = {"FileVersion": version, "ProductVersion": version, "FileVersionNumbers": version + ".0",
              "ProductVersionNumbers": version + ".0", "ProductName": "Aurivel",
              "FileDescription": "Aurivel IOR TexMap", "OriginalFilename": "Aurivel.dlt"}
    for name, value in wanted.items():
        expect(values.get(name) == value, f"the {year} module's {name} is {values.get(name)!r}, expected {value!r}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--years", required=True, nargs="+", type=int)
    parser.add_argument("--host", required=True, help="release_host.exe")
    parser.add_argument("--wine-prefix", required=True)
    parser.add_argument("--runner", default=os.path.join(os.path.dirname(__file__), "..", "..", "scripts",
                                                         "run-under-wine.sh"))
    args = parser.parse_args()

    zip_name = f"Aurivel-{args.version}-win64-standin-test.zip"
    expect(sorted(os.listdir(args.out)) == sorted(["Aurivel.bundle", zip_name]),
           f"{args.out} holds {sorted(os.listdir(args.out))}, expected Aurivel.bundle and {zip_name}")
    bundle = os.path.join(args.out, "Aurivel.bundle")
    bundle_files = files_below(bundle)
    if os.path.isfile(os.path.join(args.out, zip_name)):
        expect_zip_holds_the_bundle(os.path.join(args.out, zip_name), bundle_files)
    readme = read_me_of_a_test_package(bundle)
    named = f"This one is for 3ds Max {', '.join(map(str, args.years))}."
    expect(named in " ".join(readme.split()), f"the read-me does not say \"{named}\"")
    expect(os.path.isfile(os.path.join(bundle, "Contents", "LICENSE.txt")), "no licence in the bundle")
    root = ET.parse(os.path.join(bundle, "PackageContents.xml")).getroot()
    modules, script_files = check_components(bundle, root, args.version, args.years)
    check_startup_scripts(bundle, script_files)
    check_modules(args, modules)
    print(f"{'FAILED' if failures else 'passed'}: the package of 3ds Max {' '.join(map(str, args.years))} in {args.out}")
    return report()


if __name__ == "__main__":
    sys.exit(main())
