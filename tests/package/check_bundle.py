#!/usr/bin/env python3
"""The package a 3ds Max user installs, as CMake's install rules and CPack make it.

Installs the build into a fresh prefix and checks Aurivel.bundle: its
PackageContents.xml (read with the standard library's XML parser) has every
element and attribute that the host reads, with the project's values; every
module it names is in the bundle; the module there is byte for byte the one
the tests ran; its read-me says first that it is a test package; the zip that
cpack makes is the only file it makes, is named as a test package (never as
the package for users, which only a build against Autodesk's SDK makes) and
lists exactly the bundle. Writes the
path of the module that the package names for the build's release of 3ds Max, for the test
that loads it under Wine.
"""
import argparse
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

from bundle_checks import expect, expect_zip_holds_the_bundle, failures, files_below, read_me_of_a_test_package, report


def expect_attributes(element, wanted):
    for name, value in wanted.items():
        expect(element.get(name) == value, f"<{element.tag}> {name}={element.get(name)!r}, expected {value!r}")


def check_package_contents(bundle, version, upgrade_code, year):
    path = os.path.join(bundle, "PackageContents.xml")
    with open(path, "rb") as f:
        head = f.read(64)
    expect(head.startswith(b'<?xml version="1.0" encoding="utf-8"?>'), "PackageContents.xml does not declare UTF-8")
    root = ET.parse(path).getroot()
    expect(root.tag == "ApplicationPackage", f"root element <{root.tag}>")
    expect_attributes(root, {"SchemaVersion": "1.0", "AutodeskProduct": "3ds Max", "ProductType": "Application",
                             "Name": "Aurivel", "AppVersion": version, "UpgradeCode": "{" + upgrade_code + "}"})
    expect(bool(root.get("Description")), "no Description")
    expect(root.find("CompanyDetails") is not None, "no <CompanyDetails>")
    components = root.findall("Components")
    expect(len(components) == 1, f"{len(components)} <Components> elements")
    modules = {}
    for element in components:
        expect_attributes(element, {"Description": "plugin parts"})
        requirements = element.find("RuntimeRequirements")
        expect(requirements is not None, "no <RuntimeRequirements>")
        if requirements is not None:
            expect_attributes(requirements, {"OS": "Win64", "Platform": "3ds Max", "SeriesMin": str(year),
                                             "SeriesMax": str(year)})
        entries = element.findall("ComponentEntry")
        expect([e.get("ModuleName") for e in entries] == [f"./Contents/{year}/Aurivel.dlt"],
               f"ComponentEntry modules {[e.get('ModuleName') for e in entries]}")
        for entry in entries:
            name = entry.get("ModuleName", "")
            expect(os.path.isfile(os.path.join(bundle, name)), f"{name} is not in the bundle")
            if requirements is not None and int(requirements.get("SeriesMin", 0)) <= year <= int(
                    requirements.get("SeriesMax", 0)):
                modules[year] = os.path.normpath(os.path.join(bundle, name))
    return modules.get(year)


def check_zip(build_dir, packages, version, bundle_files):
    subprocess.run(["cpack", "--config", os.path.join(build_dir, "CPackConfig.cmake"), "-B", packages],
                   check=True, stdout=subprocess.DEVNULL)
    archive = os.path.join(packages, f"Aurivel-{version}-win64-standin-test.zip")
    made = sorted(name for name in os.listdir(packages) if name.endswith(".zip"))
    expect(made == [os.path.basename(archive)], f"cpack made {made}, expected only {os.path.basename(archive)}")
    if os.path.isfile(archive):
        expect_zip_holds_the_bundle(archive, bundle_files)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--module", required=True, help="the module the tests ran")
    parser.add_argument("--version", required=True)
    parser.add_argument("--upgrade-code", required=True)
    parser.add_argument("--year", type=int, required=True, help="the release of 3ds Max the build is for")
    parser.add_argument("--module-path-file", required=True)
    parser.add_argument("--path-drive", default="", help="prefix of the build machine's paths as Windows sees them")
    args = parser.parse_args()

    work = os.path.dirname(os.path.abspath(args.module_path_file))
    prefix = os.path.join(work, "installed")
    packages = os.path.join(work, "packages")
    for stale in (prefix, packages):
        shutil.rmtree(stale, ignore_errors=True)
    if os.path.exists(args.module_path_file):
        os.remove(args.module_path_file)

    subprocess.run(["cmake", "--install", args.build_dir, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
    bundle = os.path.join(prefix, "Aurivel.bundle")
    bundle_files = files_below(bundle)
    expect(bundle_files == {"PackageContents.xml", f"Contents/{args.year}/Aurivel.dlt", "Contents/ReadMe.txt",
                            "Contents/LICENSE.txt"}, f"the bundle holds {sorted(bundle_files)}")
    read_me_of_a_test_package(bundle)
    module = check_package_contents(bundle, args.version, args.upgrade_code, args.year)
    expect(module is not None, f"the package names no module for 3ds Max {args.year}")
    if module:
        with open(module, "rb") as installed, open(args.module, "rb") as tested:
            expect(installed.read() == tested.read(), f"{module} differs from the tested {args.module}")
    check_zip(args.build_dir, packages, args.version, bundle_files)
    if module and not failures:
        with open(args.module_path_file, "w", encoding="utf-8") as f:
            f.write(args.path_drive + module)
    return report()


if __name__ == "__main__":
    sys.exit(main())
