"""What the checks of a package share: each check adds what is wrong to one list, so that a run names every fault
rather than the first; the files of a bundle; its zip and its read-me's first line as a test package's."""
import os
import sys
import zipfile

TEST_NOTICE = "THIS IS A TEST PACKAGE: 3DS MAX CANNOT LOAD IT"
failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


def files_below(folder):
    return {os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/")
            for root, _, names in os.walk(folder) for name in names}


def expect_zip_holds_the_bundle(archive, bundle_files):
    with zipfile.ZipFile(archive) as z:
        listed = {name for name in z.namelist() if not name.endswith("/")}
    expect(listed == {"Aurivel.bundle/" + f for f in bundle_files},
           f"the zip lists {sorted(listed)}, the bundle holds {sorted(bundle_files)}")


def read_me_of_a_test_package(bundle):
    """The bundle's read-me, which must begin with the test package's notice."""
    with open(os.path.join(bundle, "Contents", "ReadMe.txt"), encoding="utf-8") as f:
        readme = f.read()
    first_line = readme.splitlines()[0].strip() if readme else ""
    expect(first_line == TEST_NOTICE, f"the read-me begins {first_line!r}, not with the test package's notice")
    return readme


def report():
    """Prints the faults found; the status for the process."""
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0
